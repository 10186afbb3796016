// Test entry of the dialogs: a QApplication on the offscreen platform, fake
// platform services, the modules started in the program's order.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

#include "hotkeys/hotkeyfile.h"
#include "lang/containermodule.h"
#include "lang/message.h"
#include "lang/messageintl.h"
#include "persist/classregistry.h"
#include "persist/listentry.h"
#include "persist/objectlist.h"
#include "persist/text.h"
#include "platform/fake/fakeservices.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    tarvo::platform::TScopedFakeServices isolation;
    tarvo::InitObjectStreamModule();
    tarvo::InitObjectListModule();
    tarvo::InitTextModule();
    tarvo::InitIdentifiedModule();
    tarvo::InitIntlMessagesModule();
    tarvo::InitContainerModule();
    tarvo::InitAppMessageModule();
    tarvo::InitListEntryModule();
    tarvo::InitHotKeyFileModule();
    return RUN_ALL_TESTS();
}
