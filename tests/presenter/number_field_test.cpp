// The number fields: what a typed text reads as, which keys are refused,
// and how far the arrows step.

#include "app/presenter/number_field.h"

#include <gtest/gtest.h>

#include "support/utf.h"

namespace quillmere {
namespace {

class FieldText : public NumberFieldView {
 public:
  std::u16string Text() const override { return text; }
  void ShowText(const std::u16string& shown) override { text = shown; }
  std::u16string text;
};

struct Typed {
  SettingProperties properties;
  const char16_t* typed;
  const char16_t* shown;
  double value;
};

// What the command line's number reader reads, limited and rounded; a
// comma is typed as the decimal point, and a text that is still no number
// reads as the minimum.
TEST(NumberField, TypedTextIsReadAsTheCommandLineReadsIt) {
  const Typed cases[] = {
      {kDeviationProperties, u"0,5", u"0.50000", 0.5},
      {kJoinToleranceProperties, u"1e-3", u"0.0010000", 0.001},
      {kArcTestsProperties, u"2,5", u"2", 2},
      {kArcTestsProperties, u"50.5", u"50", 50},
      {kDeviationProperties, u" 2.5E-1 ", u"0.25000", 0.25},
      {kDeviationProperties, u"-1", u"0.00000", 0},
      {kLineTestsProperties, u"-1", u"1", 1},
      {kArcTestsProperties, u"0", u"1", 1},
      {kJoinToleranceProperties, u"2000000", u"1000000.0000000", 1e6},
      {kJoinToleranceProperties, u"0.123456789", u"0.1234568", 0.1234568},
      {kJoinToleranceProperties, u"", u"0.0000000", 0},
      {kJoinToleranceProperties, u"1.2.3", u"0.0000000", 0},
  };
  for (const Typed& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.typed));
    JobSetting setting(c.properties);
    NumberField field(setting);
    FieldText view;
    field.Attach(view);
    // Typed key by key, as the toolkits pass each key through the filter.
    std::u16string text;
    for (const char16_t key : std::u16string_view(c.typed)) {
      const std::optional<char16_t> typed = NumberField::TypedCharacter(key);
      ASSERT_TRUE(typed.has_value());
      text += *typed;
    }
    view.text = text;
    field.TextEdited();
    EXPECT_EQ(field.Value(), c.value);
    EXPECT_EQ(view.text, c.shown);
  }
}

TEST(NumberField, KeysOfNoNumberAreRefusedAndPastedCommasBecomePoints) {
  for (const char16_t key : std::u16string_view(u"x/;a\u00e4")) {
    EXPECT_FALSE(NumberField::TypedCharacter(key).has_value());
  }
  EXPECT_EQ(NumberField::TypedCharacter(u','), u'.');
  EXPECT_EQ(NumberField::AcceptedText(u"1,5e-2"), u"1.5e-2");
  EXPECT_FALSE(NumberField::AcceptedText(u"1,5 mm").has_value());
}

// Text shown by the program is no typing: a value the program put into the
// setting stays when the field is committed.
class EchoingFieldText : public FieldText {
 public:
  void ShowText(const std::u16string& shown) override {
    text = shown;
    if (field != nullptr) field->TextEdited();  // as an edit control reports every change
  }
  NumberField* field = nullptr;
};

TEST(NumberField, UntypedTextDoesNotOverwriteTheSetting) {
  JobSetting setting(kDeviationProperties);
  NumberField field(setting);
  EchoingFieldText view;
  view.field = &field;
  field.Attach(view);
  field.SetValue(0.2);
  setting.Set(0.5);
  field.Commit();
  EXPECT_EQ(setting.value(), 0.5);
  view.text = u"abc";
  field.TextEdited();
  field.Commit();
  EXPECT_EQ(view.text, u"0.00000");
}

// One unit of the value's leading digit, so that the up arrow takes a
// tolerance of 0.01 to 0.02 and not to 1.01; counts step by 1.
TEST(NumberField, ArrowsStepRelativeToTheValue) {
  JobSetting tolerance(kJoinToleranceProperties);
  NumberField field(tolerance);
  FieldText view;
  field.Attach(view);
  field.Step(1);
  EXPECT_EQ(view.text, u"0.0200000");
  field.SetValue(0.09);
  field.Step(1);
  EXPECT_EQ(view.text, u"0.1000000");
  field.Step(-1);
  EXPECT_EQ(view.text, u"0.0900000");
  field.SetValue(0);
  field.Step(1);
  EXPECT_EQ(view.text, u"0.0100000");  // from 0, the start value's unit
  field.Step(-1);
  EXPECT_EQ(view.text, u"0.0090000");
  field.SetValue(0);
  field.Step(-1);
  EXPECT_EQ(view.text, u"0.0000000");  // the minimum holds
  field.SetValue(1e6);
  field.Step(1);
  EXPECT_EQ(view.text, u"1000000.0000000");

  JobSetting count(kArcTestsProperties);
  NumberField count_field(count);
  count_field.Attach(view);
  count_field.Step(1);
  EXPECT_EQ(view.text, u"101");
  view.text = u"7";  // typed text is committed before the step
  count_field.TextEdited();
  count_field.Step(-1);
  EXPECT_EQ(view.text, u"6");
}

}  // namespace
}  // namespace quillmere
