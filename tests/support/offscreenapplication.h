#pragma once
// The application object of test mains whose tests create widgets: a
// QApplication on the offscreen platform, so that no display is needed.

#include <stdlib.h>

#include <QApplication>

namespace tarvo::testsupport {

class TOffscreenApplication : public QApplication {
public:
    TOffscreenApplication(int& argc, char** argv) : QApplication(OffscreenPlatform(argc), argv) { }

private:
    // Selects the platform before QApplication reads it; hands argc through.
    static int& OffscreenPlatform(int& argc)
    {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return argc;
    }
};

} // namespace tarvo::testsupport
