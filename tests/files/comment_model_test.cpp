#include "files/comment_model.h"

#include <gtest/gtest.h>

#include "files/note_model.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

TEST(BinaryCommentModel, FieldsAreReadAsNumbersOnClosing) {
    BinaryCommentModel m("old comment", GasExchangeFields{}, false);
    m.setComment("mouse 3, fasted");
    m.setFieldText(BinaryCommentModel::kFlowRate, "250.5");
    m.setFieldText(BinaryCommentModel::kMass, "  31.2 g");
    m.setFieldText(BinaryCommentModel::kPressure, "abc");
    m.setFieldText(BinaryCommentModel::kTemperature, "-2.5");
    m.setFieldText(BinaryCommentModel::kEffectiveVolume, "12");
    const auto r = m.close();
    EXPECT_EQ(r.comment, "mouse 3, fasted");
    EXPECT_FLOAT_EQ(r.values.flowrate, 250.5f);
    EXPECT_FLOAT_EQ(r.values.mass, 31.2f);
    EXPECT_FLOAT_EQ(r.values.BarometricPressure, 0.0f);
    EXPECT_FLOAT_EQ(r.values.flowtemp, -2.5f);
    EXPECT_FLOAT_EQ(r.values.EffectiveVolume, 12.0f);
}

TEST(BinaryCommentModel, ZeroEffectiveVolumeBecomesOneTenth) {
    BinaryCommentModel m("", GasExchangeFields{}, false);
    for (const char* zero : {"0", "0.0", "", "none"}) {
        m.setFieldText(BinaryCommentModel::kEffectiveVolume, zero);
        EXPECT_FLOAT_EQ(m.close().values.EffectiveVolume, 0.1f) << zero;
    }
}

TEST(BinaryCommentModel, SetToSTPConditions) {
    GasExchangeFields v;
    v.BarometricPressure = 640.0f;
    v.flowtemp = 25.0f;
    BinaryCommentModel m("", v, false);
    m.setToSTP();
    EXPECT_EQ(m.fieldText(BinaryCommentModel::kPressure), "760");
    EXPECT_EQ(m.fieldText(BinaryCommentModel::kTemperature), "0");
    EXPECT_FLOAT_EQ(m.close().values.BarometricPressure, 760.0f);
    EXPECT_FLOAT_EQ(m.close().values.flowtemp, 0.0f);
}

TEST(ExpeDataCommentModel, ReachingTheLimitWarnsOnceAndTheWarningGoesWhenShortened) {
    EXPECT_EQ(ExpeDataCommentModel("", 8).maximum(), 255u);  // 235 only in switching mode 9
    ExpeDataCommentModel m("", 9);
    EXPECT_FALSE(m.setComment(std::string(234, 'a')));
    EXPECT_FALSE(m.warningShown());
    EXPECT_TRUE(m.setComment(std::string(235, 'a')));
    EXPECT_TRUE(m.warningShown());
    EXPECT_FALSE(m.setComment(std::string(240, 'a'))) << "already at the limit";
    EXPECT_EQ(m.length(), 235u);
    EXPECT_FALSE(m.setComment(std::string(100, 'a')));
    EXPECT_FALSE(m.warningShown());
}

TEST(NoteModel, FiftyNotesRefuseTheWindowWithBzot) {
    VirtualSounds sounds;
    EXPECT_TRUE(noteWindowMayOpen(49, sounds, true));
    EXPECT_TRUE(sounds.log.empty());
    EXPECT_FALSE(noteWindowMayOpen(50, sounds, true));
    ASSERT_EQ(sounds.log.size(), 1u);
    EXPECT_EQ(sounds.log[0], "bzot");
    EXPECT_FALSE(noteWindowMayOpen(50, sounds, false));
    EXPECT_EQ(sounds.log.size(), 1u);
}

TEST(NoteModel, OkAddsANoteOnlyWithText) {
    NoteModel m(1234, "13:05:59");
    EXPECT_FALSE(m.ok().has_value());
    m.setText("injected drug");
    const auto note = m.ok();
    ASSERT_TRUE(note.has_value());
    EXPECT_EQ(*note, (FileNote{" 1234", "13:05:59", "injected drug"}));
    m.setText(std::string(300, 'x'));
    EXPECT_EQ(m.characterCount(), 300u);
    EXPECT_EQ(m.ok()->text.size(), 250u);
}

}  // namespace
}  // namespace trindel
