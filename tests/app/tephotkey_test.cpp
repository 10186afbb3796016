#include <gtest/gtest.h>

#include <vector>

#include "app/hotkeycombination.h"
#include "app/tephotkey.h"
#include "platform/fake/fakehotkeys.h"

using namespace tarvo;

namespace {

constexpr TShortCut CtrlShiftF5 = ShortCutCtrl | ShortCutShift | 0x74;
constexpr TShortCut AltX = ShortCutAlt | 'X';

class TEPHotKeyTest : public testing::Test {
protected:
    // The combinations registered, as shortcuts.
    std::vector<TShortCut> Held() const
    {
        std::vector<TShortCut> held;
        for (const auto& registration : service_.Registrations)
            for (TShortCut shortcut : {TShortCut{0}, CtrlShiftF5, AltX})
                if (registration.Combination == CombinationOf(shortcut))
                    held.push_back(shortcut);
        return held;
    }

    platform::TFakeHotKeys service_;
    bool active_ = false;
    TEPHotKey component_{service_, [this] { return active_; }};
};

using Shortcuts = std::vector<TShortCut>;

TEST_F(TEPHotKeyTest, CombinationIsRegisteredWhileEnabled)
{
    component_.SetHotKey(CtrlShiftF5);
    component_.SetHotKey(AltX);
    EXPECT_EQ(Held(), Shortcuts{AltX});
    component_.SetEnabled(false);
    component_.SetHotKey(CtrlShiftF5);
    EXPECT_EQ(Held(), Shortcuts{});
    component_.SetEnabled(true);
    EXPECT_EQ(Held(), Shortcuts{CtrlShiftF5});
    component_.SetHotKey(0);
    EXPECT_EQ(Held(), Shortcuts{});
    component_.SetEnabled(false);
    component_.SetEnabled(true);
    EXPECT_EQ(Held(), Shortcuts{0}) << "enabling registers even no combination";
    {
        TEPHotKey other(service_, [] { return true; });
        other.SetHotKey(AltX);
        EXPECT_EQ(Held(), (Shortcuts{0, AltX})) << "each component has an id of its own";
    }
    EXPECT_EQ(Held(), Shortcuts{0});
}

TEST_F(TEPHotKeyTest, PressReachesOnHotKeyOnlyWhenGlobalOrAWindowIsActive)
{
    std::vector<std::pair<uint16_t, TShiftState>> events;
    component_.OnHotKey = [&](QObject& sender, uint16_t& key, TShiftState shift) {
        EXPECT_EQ(&sender, &component_);
        events.emplace_back(key, shift);
    };
    component_.SetHotKey(CtrlShiftF5);
    const struct {
        bool global;
        bool active;
        size_t events;
    } cases[] = {{true, false, 1}, {false, false, 0}, {false, true, 1}};
    for (const auto& c : cases) {
        events.clear();
        component_.Global = c.global;
        active_ = c.active;
        EXPECT_TRUE(service_.Press(CombinationOf(CtrlShiftF5))) << "the combination is held either way";
        ASSERT_EQ(events.size(), c.events) << "global " << c.global << ", active " << c.active;
    }
    EXPECT_EQ(events[0].first, 0x74);
    EXPECT_EQ(events[0].second, (TShiftState{.Shift = true, .Ctrl = true, .Alt = false}));
}

} // namespace
