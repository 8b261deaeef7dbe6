#pragma once

// The editor component's class identifier, and its registration with QControlHost.
inline constexpr char kPXVEditorClassId[] = "{a1149909-4edc-4421-b9e5-e93c25a000a1}";

void registerPXVEditor();
