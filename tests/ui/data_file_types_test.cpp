#include "ui/data_file_types.h"

#include <gtest/gtest.h>

#include "files/save_files.h"
#include "ui/menu_table.h"

namespace trindel {
namespace {

struct NullSounds : Sounds {
    void play(std::string_view) override {}
    bool isPlaying() override { return false; }
};

// Choosing a file type in the save dialog gives the format the File menu item gives, and the
// dialog opens on the format chosen in the menu.
TEST(DataFileTypes, MatchTheFileMenuFormats) {
    const struct {
        int menuItem;
        int type;
        DataFormat format;
    } kCases[] = {
        {3, 0, DataFormat::Binary}, {4, 1, DataFormat::Text}, {5, 2, DataFormat::ExpeData}};
    NullSounds sounds;
    for (const auto& c : kCases) {
        Program byMenu;
        DoMENU(byMenu, sounds, 1, c.menuItem);
        EXPECT_EQ(dataFileTypeIndex(byMenu.prefs), c.type);
        for (int start = 0; start < 3; ++start) {
            Program byDialog;
            chooseDataFileType(byDialog.prefs, start);
            chooseDataFileType(byDialog.prefs, c.type);
            EXPECT_EQ(chosenFormat(byDialog.prefs), c.format) << c.type << " after " << start;
            EXPECT_EQ(byDialog.prefs[kPrefFormatText], byMenu.prefs[kPrefFormatText]);
            EXPECT_EQ(byDialog.prefs[kPrefFormatExpeData], byMenu.prefs[kPrefFormatExpeData]);
        }
    }
}

TEST(DataFileTypes, UnknownTypeKeepsTheFormat) {
    Program p;
    chooseDataFileType(p.prefs, 2);
    for (int bad : {-1, 3, 99}) {
        chooseDataFileType(p.prefs, bad);
        EXPECT_EQ(chosenFormat(p.prefs), DataFormat::ExpeData);
    }
}

}  // namespace
}  // namespace trindel
