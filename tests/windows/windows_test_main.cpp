// Test entry of the windows: a QApplication on the offscreen platform, fake
// platform services with the program in the directory of the built message
// files, the program's modules started in their order.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

#include "app/startup.h"
#include "windows/windowstestsupport.h"

namespace tarvo::testsupport {

namespace {
platform::TScopedFakeServices* fakes = nullptr;
} // namespace

platform::TScopedFakeServices& Fakes()
{
    return *fakes;
}

} // namespace tarvo::testsupport

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Tarvo"));
    tarvo::platform::TScopedFakeServices fakes(TARVO_MESSAGE_DIR "/tarvo");
    tarvo::testsupport::fakes = &fakes;
    tarvo::InitModules();
    const int result = RUN_ALL_TESTS();
    tarvo::FinalizeModules();
    return result;
}
