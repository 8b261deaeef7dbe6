#pragma once

#include "cwinapp.h"
#include "pxveditor.h"

#include <QTemporaryDir>
#include <QtTest>

// Runs a Test object in the program's own application object with the editor registered. The
// profile lives in a folder of its own, so the user's history and settings are never touched.
template <class Test>
int runAppTest(int argc, char** argv)
{
    QTemporaryDir profile;
    qputenv("XDG_DATA_HOME", profile.filePath("data").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", profile.path().toLocal8Bit());
    registerPXVEditor();
    CWinApp app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
