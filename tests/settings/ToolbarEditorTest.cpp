// The toolbar editor through its command: the list it opens with, OK and Cancel.
#include "commands/Commands.h"
#include "core/App.h"
#include "platform/fake/FakePlatform.h"
#include "settings/ToolbarEditor.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ToolbarEditorTest : public ::testing::Test {
protected:
    /// Opens the editor; `edit` works the list by button number and says OK or Cancel.
    /// Returns the buttons whose items were unchecked when it opened.
    std::vector<int> open(std::function<bool(std::map<int, bool>&)> edit)
    {
        std::vector<int> unchecked;
        fakes.ui.toolbarEditor = [&](settings::ToolbarEditorState& state) {
            const auto items = settings::ToolbarItems();
            std::map<int, bool> byButton;
            for (std::size_t k = 0; k < items.size(); ++k) {
                byButton[items[k].button] = state.checked[k];
                if (!state.checked[k])
                    unchecked.push_back(items[k].button);
            }
            const bool ok = edit(byButton);
            for (std::size_t k = 0; k < items.size(); ++k)
                state.checked[k] = byButton[items[k].button];
            return ok;
        };
        commands::RunCommand(app, commands::CommandId::ToolbarEditor);
        return unchecked;
    }
    static QByteArray buttonBytes(std::initializer_list<int> hidden)
    {
        QByteArray bytes(40, '\0');
        for (int i = 1; i <= 31; ++i)
            bytes[i - 1] = i == 15 || std::count(hidden.begin(), hidden.end(), i) ? 0 : 1;
        return bytes;
    }

    platform::FakePlatform fakes;
    App app{fakes.services()};
};

TEST_F(ToolbarEditorTest, ListsThirtyButtonsWithoutButton15)
{
    const auto items = settings::ToolbarItems();
    ASSERT_EQ(items.size(), 30u);
    for (std::size_t k = 0; k < items.size(); ++k) {
        EXPECT_EQ(items[k].button, k < 14 ? int(k) + 1 : int(k) + 2) << k;
        // Every item shows its own button's image, but the print area its greyed look.
        EXPECT_EQ(items[k].icon, items[k].button == 7 ? 0 : items[k].button) << k;
    }
    EXPECT_EQ(QString::fromUtf16(items[2].caption), u"追加読みこみ");
    EXPECT_EQ(QString::fromUtf16(items[14].caption), u"消去");
    EXPECT_EQ(QString::fromUtf16(items[23].caption), u"全体行数");
}

TEST_F(ToolbarEditorTest, CancelKeepsTheToolbarAndTheNextOpeningShowsItAgain)
{
    const std::vector<int> unchecked = open([](std::map<int, bool>& items) {
        items[2] = false;
        items[1] = true;
        return false;
    });
    EXPECT_EQ(unchecked, (std::vector<int>{1, 3, 5, 6, 26, 28, 30}));
    EXPECT_EQ(app.settings.ButtonVisible, settings::DefaultButtonVisible);
    EXPECT_EQ(fakes.ui.toolbarApplied, 0);
    EXPECT_TRUE(fakes.settings.values.isEmpty());
    EXPECT_EQ(open([](std::map<int, bool>&) { return false; }),
              (std::vector<int>{1, 3, 5, 6, 26, 28, 30}));
}

TEST_F(ToolbarEditorTest, OkShowsTheCheckedButtonsAndWritesTheChoiceAtOnce)
{
    open([](std::map<int, bool>& items) {
        items[1] = true;
        items[17] = false;
        items[31] = false;
        return true;
    });
    EXPECT_EQ(fakes.ui.toolbarApplied, 1);
    EXPECT_EQ(fakes.settings.values.value(u"Buttons"_s).toByteArray(),
              buttonBytes({3, 5, 6, 17, 26, 28, 30, 31}));
    EXPECT_EQ(fakes.settings.values.value(u"Version"_s).toString(), u"4.00");
    EXPECT_EQ(open([](std::map<int, bool>&) { return false; }),
              (std::vector<int>{3, 5, 6, 17, 26, 28, 30, 31}));

    // After the uninstall the choice still applies but is not written.
    fakes.settings.values.clear();
    app.settings.SettingsWritable = false;
    open([](std::map<int, bool>& items) {
        items[17] = true;
        return true;
    });
    EXPECT_EQ(app.settings.ButtonVisible[17], 1);
    EXPECT_EQ(fakes.ui.toolbarApplied, 2);
    EXPECT_TRUE(fakes.settings.values.isEmpty());
}

} // namespace
