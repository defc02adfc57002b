// The four numeric fields: what they show, how typed text, the arrows and
// the keys reach the job settings, and that a job reads the shown value.

#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>

#include "app/gui/main_form.h"
#include "gui/gui_test_support.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::RecordingMessages;
using testing::ScriptedFileDialogs;

class NumericFieldTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sandbox_ = std::make_unique<testing::TranslationSandbox>();
    messages_ = std::make_unique<RecordingMessages>();
    dialogs_ = std::make_unique<ScriptedFileDialogs>();
    form_ = std::make_unique<TMainForm>(*messages_, *dialogs_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  void cleanup() {
    form_.reset();
    sandbox_.reset();
  }

  void FieldsStartWithTheStartValues() {
    QCOMPARE(form_->AbweichEd.text(), QStringLiteral("0.10000"));
    QCOMPARE(form_->TestEd.text(), QStringLiteral("100"));
    QCOMPARE(form_->Test2Ed.text(), QStringLiteral("100"));
    QCOMPARE(form_->AbweichLinEd.text(), QStringLiteral("0.0100000"));
    QCOMPARE(form_->jobs().settings.deviation.value(), 0.1);
    QCOMPARE(form_->jobs().settings.join_tolerance.value(), 0.01);
  }

  void TypedTextIsLimitedAndRoundedWhenTheFocusLeaves_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("value");
    QTest::newRow("empty tolerance") << "AbweichLinEd" << "" << "0.0000000" << 0.0;
    // What a German user types (the reading itself is the presenter's).
    QTest::newRow("comma") << "AbweichEd" << "0,5" << "0.50000" << 0.5;
    QTest::newRow("comma in a count") << "TestEd" << "2,5" << "2" << 2.0;
    QTest::newRow("exponent") << "AbweichLinEd" << "1e-3" << "0.0010000" << 0.001;
  }
  void TypedTextIsLimitedAndRoundedWhenTheFocusLeaves() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(double, value);
    NumericField& edit = Field(field);
    Type(edit, typed);
    QTest::keyClick(&edit, Qt::Key_Tab);
    QVERIFY(!edit.hasFocus());
    QCOMPARE(edit.text(), shown);
    QCOMPARE(Setting(field).value(), value);
  }

  // A key that can be no part of a number changes nothing, wherever the
  // cursor is; the comma key puts a point there.
  void KeysOfNoNumberAreRefused() {
    Type(form_->AbweichEd, QStringLiteral("12"));
    QTest::keyClick(&form_->AbweichEd, Qt::Key_Home);
    QTest::keyClicks(&form_->AbweichEd, QStringLiteral("x/;"));
    QTest::keyClick(&form_->AbweichEd, Qt::Key_Right);
    QTest::keyClick(&form_->AbweichEd, Qt::Key_Comma, Qt::NoModifier);
    QCOMPARE(form_->AbweichEd.text(), QStringLiteral("1.2"));
    QTest::keyClick(&form_->AbweichEd, Qt::Key_Return);
    QCOMPARE(form_->jobs().settings.deviation.value(), 1.2);
  }

  void ReturnCommitsTypedText() {
    Type(form_->TestEd, QStringLiteral("5000"));
    QTest::keyClick(&form_->TestEd, Qt::Key_Return);
    QCOMPARE(form_->TestEd.text(), QStringLiteral("1000"));
    QCOMPARE(form_->jobs().settings.arc_tests.value(), 1000.0);
  }

  // The step follows the value's scale (StepSize): 0.01 goes to 0.02.
  void ArrowsStepTheValue() {
    ClickArrow(form_->AbweichLinEd, QStyle::SC_SpinBoxUp);
    QCOMPARE(form_->AbweichLinEd.text(), QStringLiteral("0.0200000"));
    QCOMPARE(form_->jobs().settings.join_tolerance.value(), 0.02);
    ClickArrow(form_->AbweichLinEd, QStyle::SC_SpinBoxDown);
    QCOMPARE(form_->AbweichLinEd.text(), QStringLiteral("0.0100000"));
  }

  void UpAndDownKeysStepTheValue() {
    form_->AbweichEd.setFocus();
    QTest::keyClick(&form_->AbweichEd, Qt::Key_Up);
    QCOMPARE(form_->AbweichEd.text(), QStringLiteral("0.20000"));
    QTest::keyClick(&form_->AbweichEd, Qt::Key_Up);
    QCOMPARE(form_->jobs().settings.deviation.value(), 0.3);
    form_->TestEd.SetValue(1000);
    form_->TestEd.setFocus();
    QTest::keyClick(&form_->TestEd, Qt::Key_Up);
    QCOMPARE(form_->TestEd.text(), QStringLiteral("1000"));
    QTest::keyClick(&form_->TestEd, Qt::Key_Down);
    QCOMPARE(form_->TestEd.text(), QStringLiteral("999"));
  }

  void StepsStartFromTypedText() {
    Type(form_->Test2Ed, QStringLiteral("7"));
    QTest::keyClick(&form_->Test2Ed, Qt::Key_Up);
    QCOMPARE(form_->Test2Ed.text(), QStringLiteral("8"));
    QCOMPARE(form_->jobs().settings.line_tests.value(), 8.0);
  }

  void ReadingTheValueCommitsTypedText() {
    Type(form_->AbweichEd, QStringLiteral("abc"));
    QCOMPARE(form_->AbweichEd.Value(), 0.0);
    QCOMPARE(form_->AbweichEd.text(), QStringLiteral("0.00000"));
  }

  void JobReadsTheLimitedValueWhenTheFocusMovesToItsButton() {
    Type(form_->AbweichLinEd, QStringLiteral("2000000"));
    QString shown_at_dialog;
    double value_at_dialog = -1;
    dialogs_->on_run = [&] {
      shown_at_dialog = form_->AbweichLinEd.text();
      value_at_dialog = form_->jobs().settings.join_tolerance.value();
    };
    QTest::mouseClick(&form_->BitBtn4, Qt::LeftButton);
    QCOMPARE(shown_at_dialog, QStringLiteral("1000000.0000000"));
    QCOMPARE(value_at_dialog, 1e6);
  }

  void JobReadsTypedTextAlsoWhenItsButtonTakesNoFocus() {
    Type(form_->AbweichLinEd, QStringLiteral(""));
    double value_at_dialog = -1;
    dialogs_->on_run = [&] { value_at_dialog = form_->jobs().settings.join_tolerance.value(); };
    form_->BitBtn2.click();  // as a shortcut would: the field keeps the focus
    QVERIFY(form_->AbweichLinEd.hasFocus());
    QCOMPARE(value_at_dialog, 0.0);
    QCOMPARE(form_->AbweichLinEd.text(), QStringLiteral("0.0000000"));
  }

  void UntypedTextDoesNotOverwriteASettingChangedByTheProgram() {
    form_->jobs().settings.deviation.Set(0.5);
    form_->AbweichEd.setFocus();
    QTest::keyClick(&form_->AbweichEd, Qt::Key_Tab);
    QCOMPARE(form_->jobs().settings.deviation.value(), 0.5);
  }

 private:
  NumericField& Field(const QString& name) {
    NumericField* field = form_->findChild<NumericField*>(name);
    Q_ASSERT(field != nullptr);
    return *field;
  }
  JobSetting& Setting(const QString& name) {
    if (name == QLatin1String("AbweichEd")) return form_->jobs().settings.deviation;
    if (name == QLatin1String("TestEd")) return form_->jobs().settings.arc_tests;
    if (name == QLatin1String("Test2Ed")) return form_->jobs().settings.line_tests;
    return form_->jobs().settings.join_tolerance;
  }

  // Replaces the field's text by typing, as the user would.
  static void Type(NumericField& field, const QString& text) {
    field.setFocus();
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClicks(&field, text);
  }

  static void ClickArrow(NumericField& field, QStyle::SubControl arrow) {
    QStyleOptionSpinBox option;
    option.initFrom(&field);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown |
                         QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField;
    option.buttonSymbols = field.buttonSymbols();
    option.frame = field.hasFrame();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    const QRect rect = field.style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, &field);
    QTest::mouseClick(&field, Qt::LeftButton, {}, rect.center());
  }

  std::unique_ptr<testing::TranslationSandbox> sandbox_;
  std::unique_ptr<RecordingMessages> messages_;
  std::unique_ptr<ScriptedFileDialogs> dialogs_;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(NumericFieldTest);
#include "numeric_field_test.moc"
