// Finding a window by a part of its title and bringing it back, without a
// window manager and under each one the tests know.
#include "launchtest.h"

using namespace tarvo;
using namespace tarvo::launchtest;

namespace {

class WindowSearch : public LaunchTestUnderWm {
protected:
    // Whether the window is shown, not minimised, and has the focus.
    bool IsBack(const TTestWindow& window) const
    {
        return display->IsViewable(window.Id()) && !display->IsIconic(window.Id())
            && display->ActiveWindow(WindowManager()) == window.Id();
    }
};

TEST_P(WindowSearch, AMinimisedWindowIsRestoredAndActivatedInsteadOfAStart)
{
    TTestWindow other(*display, "Mail");
    TTestWindow editor(*display, "Unbenannt - Editor");
    editor.Show();
    other.Show();
    editor.Minimize(WindowManager());
    const std::string report = scratch.File("report");
    AddCommand(LAUNCH_PROBE_PATH, report, "EDITOR");
    hotkey.ExecuteHotKey();
    EXPECT_TRUE(WaitFor([&] { return IsBack(editor); }));
    EXPECT_FALSE(WaitFor([&] { return std::filesystem::exists(report); }, std::chrono::milliseconds(300)))
        << "nothing is started";
}

// Programs keep titled helper windows that were never shown; a window that
// its program hid after showing it carries the window manager's state.
TEST_P(WindowSearch, AWindowHiddenAfterBeingShownIsFoundOneNeverShownIsNot)
{
    TTestWindow helper(*display, "Spell helper");
    TTestWindow invoice(*display, "Invoice");
    invoice.Show();
    invoice.Hide(WindowManager());
    const std::string report = scratch.File("report");
    AddCommand(LAUNCH_PROBE_PATH, report, "invoice");
    hotkey.ExecuteHotKey();
    EXPECT_TRUE(WaitFor([&] { return IsBack(invoice); }));
    hotkey.Command(0).LookForWindow = "helper";
    hotkey.ExecuteHotKey();
    EXPECT_FALSE(ReportLines(report).empty()) << "the file is opened instead";
    EXPECT_FALSE(display->IsViewable(helper.Id()));
}

TEST_P(WindowSearch, WithoutAMatchingWindowTheFileIsOpened)
{
    TTestWindow mail(*display, "Mail");
    mail.Show();
    const std::string report = scratch.File("report");
    AddCommand(LAUNCH_PROBE_PATH, report, "Editor");
    hotkey.ExecuteHotKey();
    EXPECT_FALSE(ReportLines(report).empty());
}

TEST_P(WindowSearch, TitlesOnlyInWmNameAreReadInTheirOwnEncoding)
{
    TTestWindow latin1(*display, "Caf\xE9 M\xFCller", TTitleProperty::WmNameOnly);
    TTestWindow utf8(*display,
                     "Stra\xC3\x9F"
                     "enbahn",
                     TTitleProperty::WmNameOnly);
    TTestWindow compound(*display, CompoundText("Привет €uro"), TTitleProperty::WmNameCompoundText);
    for (TTestWindow* window : {&latin1, &utf8, &compound})
        window->Show();
    AddCommand("/nonexistent", "", "");
    // Each search finds a window other than the one the search before it found.
    const std::pair<const char*, const TTestWindow*> searches[] = {
        {"café mü", &latin1}, {"привет", &compound}, {"STRASSE", &utf8}, {"€URO", &compound}};
    for (const auto& [lookFor, expected] : searches) {
        hotkey.Command(0).LookForWindow = lookFor;
        hotkey.ExecuteHotKey();
        EXPECT_TRUE(WaitFor([&] { return IsBack(*expected); })) << lookFor;
    }
}

// Three windows of one program: presses raise the topmost, then walk
// through the others, the one active longest ago first.
TEST_P(WindowSearch, RepeatedPressesCycleThroughTheWindowsOfAClass)
{
    TTestWindow first(*display, "~/src");
    TTestWindow second(*display, "top");
    TTestWindow third(*display, "~/doc");
    TTestWindow mail(*display, "Mail");
    for (TTestWindow* window : {&first, &second, &third})
        window->SetClass("xterm", "XTerm");
    mail.SetClass("mail", "Mail");
    for (TTestWindow* window : {&first, &second, &third, &mail})
        window->Show();
    AddCommand("/nonexistent", "", "class:xterm");
    // A press comes after the window manager has restacked the windows, as
    // a user's next press would.
    const auto isOnTop = [&](const TTestWindow& window) {
        const auto stacking = display->Values(display->Root(), "_NET_CLIENT_LIST_STACKING");
        return !WindowManager() || (!stacking.empty() && stacking.back() == window.Id());
    };
    ASSERT_TRUE(WaitFor([&] { return isOnTop(mail); }));
    int press = 0;
    for (const TTestWindow* expected : {&third, &first, &second, &third}) {
        hotkey.ExecuteHotKey();
        EXPECT_TRUE(WaitFor([&] { return IsBack(*expected) && isOnTop(*expected); })) << "press " << ++press;
    }
}

INSTANTIATE_UNDER_EACH_WM(WindowSearch);

// A window manager that has ended can leave its check entry on the root
// window, naming a window that is gone or (after the id was reused) one that
// does not name itself. Windows are then found and restored without one.
TEST_F(LaunchTest, AStaleWindowManagerCheckMeansNoWindowManager)
{
    TTestWindow notes(*display, "Notes");
    notes.Show();
    TTestWindow impostor(*display, "not a check window");
    xcb_window_t gone = 0;
    {
        TTestWindow destroyed(*display, "destroyed");
        gone = destroyed.Id();
    }
    AddCommand("/nonexistent", "", "notes");
    for (const xcb_window_t check : {gone, impostor.Id()}) {
        SCOPED_TRACE(check == gone ? "a window that is gone" : "a window that does not name itself");
        display->SetValues(display->Root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {check});
        notes.Minimize(false);
        hotkey.ExecuteHotKey();
        EXPECT_TRUE(
            WaitFor([&] { return display->IsViewable(notes.Id()) && display->ActiveWindow(false) == notes.Id(); }));
    }
    xcb_delete_property(display->Xcb(), display->Root(), display->Atom("_NET_SUPPORTING_WM_CHECK"));
    xcb_flush(display->Xcb());
}

} // namespace
