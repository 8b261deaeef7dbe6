#include "pxveditor.h"

#include "cpxvcontrol.h"
#include "qcontrolhost.h"

void registerPXVEditor()
{
    QControlHost::registerClass(QString::fromLatin1(kPXVEditorClassId), [](QWidget* parent) {
        auto* control = new CPXVControl(parent);
        return QControlHost::Created{control, control};
    });
}
