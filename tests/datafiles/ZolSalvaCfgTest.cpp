// The configuration store over plain widgets, and the INI object beneath it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <memory>

#include "DataFilesTestSupport.h"
#include "datafiles/zolinifile.h"
#include "datafiles/zolsalvacfg.h"

using namespace zvtest;

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "datafiles_tests";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

// A form with an edit box, a memo, a scroll bar and a label.
struct TTestForm {
  explicit TTestForm(const char* name) : Form(std::make_unique<QWidget>()) {
    Form->setObjectName(name);
    Edit = new QLineEdit(Form.get());
    Edit->setObjectName("Edit1");
    Memo = new QPlainTextEdit(Form.get());
    Memo->setObjectName("Memo1");
    Bar = new QScrollBar(Qt::Horizontal, Form.get());
    Bar->setObjectName("BarraHorizontal");
    Bar->setRange(0, 1000);
    auto* label = new QLabel("rótulo", Form.get());
    label->setObjectName("Label1");
  }
  std::unique_ptr<QWidget> Form;
  QLineEdit* Edit;
  QPlainTextEdit* Memo;
  QScrollBar* Bar;
};

class ZolSaveCfgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    one_.Form->setGeometry(10, 20, 300, 200);
    one_.Edit->setText("olá = [mundo]");
    one_.Memo->setPlainText(" linha 1\nlinha\t2\\ ;# ");
    one_.Bar->setValue(42);
    two_.Form->setGeometry(400, 50, 120, 90);
    two_.Edit->setText("second");
    store_.SetForms({one_.Form.get(), two_.Form.get()});
  }
  std::string Path(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }
  std::string Text(const std::string& name) const {
    const Bytes bytes = ReadBytes(Path(name));
    return std::string(bytes.begin(), bytes.end());
  }
  void Scribble() {
    for (TTestForm* form : {&one_, &two_}) {
      form->Form->setGeometry(1, 2, 50, 60);
      form->Edit->setText("changed");
      form->Memo->setPlainText("changed");
      form->Bar->setValue(999);
    }
  }
  void ExpectRestored() {
    EXPECT_EQ(one_.Form->geometry(), QRect(10, 20, 300, 200));
    EXPECT_EQ(one_.Edit->text(), QString("olá = [mundo]"));
    EXPECT_EQ(one_.Memo->toPlainText(), QString(" linha 1\nlinha\t2\\ ;# "));
    EXPECT_EQ(one_.Bar->value(), 42);
    EXPECT_EQ(two_.Form->geometry(), QRect(400, 50, 120, 90));
    EXPECT_EQ(two_.Edit->text(), QString("second"));
    EXPECT_EQ(two_.Bar->value(), 0);
  }

  QApplication& app_ = App();  // before any widget
  QTemporaryDir dir_;
  QWidget owner_;
  TTestForm one_{"Form1"};
  TTestForm two_{"Form2"};
  TZolSaveCfg& store_ = *new TZolSaveCfg(&owner_);  // owned by owner_
};

TEST_F(ZolSaveCfgTest, PlainRoundTripAndLayout) {
  store_.FileName = Path("vorn.ini");
  ASSERT_TRUE(store_.Salvar());
  const std::string text = Text("vorn.ini");
  EXPECT_EQ(text.substr(0, 42), "[Encript]\nEnable=0\n\n[Form1]\n_X=10\n_Y=20\n_W");
  EXPECT_NE(text.find("_Width=300\n_Height=200\nMax=0\nEdit1=olá \\x3D \\x5Bmundo\\x5D\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Memo1=\\x20linha 1\\x0Alinha\\x092\\\\ \\x3B\\x23\\x20\n"), std::string::npos) << text;
  EXPECT_NE(text.find("BarraHorizontal=42\n"), std::string::npos);
  EXPECT_EQ(text.find("Label1"), std::string::npos);
  EXPECT_NE(text.find("[Form2]\n_X=400\n"), std::string::npos);

  Scribble();
  ASSERT_TRUE(store_.Ler());
  ExpectRestored();
  EXPECT_FALSE(store_.Encriptar);
}

TEST_F(ZolSaveCfgTest, ScrambledRoundTripIsDecidedByTheFile) {
  // Every character up to U+024F, whose bytes scramble into line breaks,
  // brackets, zero bytes and broken UTF-8.
  QString all;
  for (int c = 1; c < 0x250; ++c) all += QChar(c);
  two_.Edit->setText(all);
  ASSERT_TRUE(store_.SalvarCFG(Path("s.ini"), true));
  EXPECT_TRUE(store_.Encriptar);
  const std::string text = Text("s.ini");
  EXPECT_EQ(text.substr(0, 19), "[Encript]\nEnable=1\n");
  for (const char* plainKey : {"\n_X=", "\n_Y=", "\n_Width=", "\n_Height=", "\nMax="})
    EXPECT_NE(text.find(plainKey), std::string::npos) << plainKey;
  for (const char* hidden : {"Form1", "Edit1", "BarraHorizontal", "mundo", "_X=10\n"})
    EXPECT_EQ(text.find(hidden), std::string::npos) << hidden;
  EXPECT_NE(text.find("[" + EscapeIni(TZolSaveCfg::Scramble("Form1", true)) + "]"), std::string::npos);

  Scribble();
  store_.Encriptar = false;
  ASSERT_TRUE(store_.LerCFG(Path("s.ini")));
  EXPECT_TRUE(store_.Encriptar);
  EXPECT_EQ(two_.Edit->text(), all);
  two_.Edit->setText("second");
  ExpectRestored();
}

TEST_F(ZolSaveCfgTest, EnableIsAnIntegerWhoseLowByteDecides) {
  const auto loadWith = [&](const std::string& enable) {
    WriteBytes(Path("e.ini"), Bytes(enable.begin(), enable.end()));
    store_.Encriptar = true;
    return store_.LerCFG(Path("e.ini"));
  };
  EXPECT_TRUE(loadWith("[Encript]\nEnable=256\n"));
  EXPECT_FALSE(store_.Encriptar);
  EXPECT_TRUE(loadWith("[Encript]\nEnable=-1\n"));
  EXPECT_TRUE(store_.Encriptar);
  EXPECT_TRUE(loadWith("; no section at all\n"));
  EXPECT_FALSE(store_.Encriptar);
  EXPECT_THROW(loadWith("[Encript]\nEnable=yes\n"), EConvertError);
}

TEST_F(ZolSaveCfgTest, MissingSectionsAndTheMaxRule) {
  WriteBytes(Path("m.ini"), {});
  one_.Form->setWindowState(Qt::WindowNoState);
  ASSERT_TRUE(store_.LerCFG(Path("m.ini")));
  EXPECT_EQ(one_.Form->geometry(), QRect(10, 20, 300, 200));
  EXPECT_FALSE(one_.Form->isMaximized());

  const auto loadMax = [&](const char* value, bool startMaximized) {
    const std::string ini = std::string("[Form1]\nMax=") + value + "\n";
    WriteBytes(Path("m.ini"), Bytes(ini.begin(), ini.end()));
    one_.Form->setWindowState(startMaximized ? Qt::WindowMaximized : Qt::WindowNoState);
    EXPECT_TRUE(store_.LerCFG(Path("m.ini")));
    return one_.Form->isMaximized();
  };
  EXPECT_TRUE(loadMax("1", false));
  EXPECT_TRUE(loadMax("257", false));
  EXPECT_FALSE(loadMax("2", false));
  EXPECT_TRUE(loadMax("0", true));  // "0" never restores a maximised form
}

TEST_F(ZolSaveCfgTest, EmptyValuesAreNotWrittenSoOlderOnesComeBack) {
  store_.FileName = Path("v.ini");
  ASSERT_TRUE(store_.Salvar());
  one_.Edit->clear();
  ASSERT_TRUE(store_.Salvar());
  EXPECT_NE(Text("v.ini").find("Edit1=olá"), std::string::npos);
  one_.Edit->setText("other");
  ASSERT_TRUE(store_.Ler());
  EXPECT_EQ(one_.Edit->text(), QString("olá = [mundo]"));
}

TEST_F(ZolSaveCfgTest, BadNumbersStopTheWalkOnlyForFormValues) {
  WriteBytes(Path("b.ini"), [] {
    const std::string ini =
        "[Form1]\n_X=77\nBarraHorizontal=xyz\nEdit1=kept\n[Form2]\n_X=5\n_Y=abc\n_Width=10\n";
    return Bytes(ini.begin(), ini.end());
  }());
  EXPECT_FALSE(store_.LerCFG(Path("b.ini")));
  EXPECT_EQ(one_.Form->x(), 77);
  EXPECT_EQ(one_.Bar->value(), 42);  // a bad scroll-bar value is skipped
  EXPECT_EQ(one_.Edit->text(), QString("kept"));
  EXPECT_EQ(two_.Form->x(), 5);  // adjusted before the bad value
  EXPECT_EQ(two_.Form->width(), 120);
}

TEST_F(ZolSaveCfgTest, FileNamesThatCannotBeUsed) {
  EXPECT_FALSE(store_.SalvarCFG("", true));
  EXPECT_FALSE(store_.Encriptar);  // refused before the flag was taken
  EXPECT_FALSE(store_.LerCFG(""));
  EXPECT_FALSE(store_.LerCFG(Path("absent.ini")));
  EXPECT_FALSE(store_.LerCFG(dir_.path().toStdString()));
  EXPECT_FALSE(store_.SalvarCFG(Path("no/such/folder/x.ini"), false));
}

TEST_F(ZolSaveCfgTest, KeepsForeignLinesAndUpdatesInPlace) {
  const std::string before = "; made by hand\n[Other]\nkey = value \n\n[Form1]\n_X=1\nExtra=yes\n";
  WriteBytes(Path("k.ini"), Bytes(before.begin(), before.end()));
  ASSERT_TRUE(store_.SalvarCFG(Path("k.ini"), false));
  const std::string text = Text("k.ini");
  EXPECT_EQ(text.substr(0, 38), "; made by hand\n[Other]\nkey=value\n\n[For");
  EXPECT_NE(text.find("[Form1]\n_X=10\nExtra=yes\n_Y=20\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n[Encript]\nEnable=0\n"), std::string::npos);
}

TEST_F(ZolSaveCfgTest, AFormInsideAnotherKeepsItsOwnComponents) {
  auto* inner = new QWidget(one_.Form.get());
  inner->setObjectName("Inner");
  auto* innerEdit = new QLineEdit("inside", inner);
  innerEdit->setObjectName("Edit9");
  store_.SetForms({one_.Form.get(), inner});
  ASSERT_TRUE(store_.SalvarCFG(Path("i.ini"), false));
  const std::string text = Text("i.ini");
  EXPECT_LT(text.find("[Inner]"), text.find("Edit9=inside"));
  EXPECT_EQ(text.find("Edit9"), text.rfind("Edit9"));
}

TEST_F(ZolSaveCfgTest, WithoutAListTheApplicationsWindowsAreVisited) {
  store_.SetForms({});
  ASSERT_TRUE(store_.SalvarCFG(Path("a.ini"), false));
  const std::string text = Text("a.ini");
  EXPECT_LT(text.find("[Form1]"), text.find("[Form2]"));
  EXPECT_NE(text.find("Edit1=second"), std::string::npos);
}

TEST(ZolSaveCfgScramble, UsesTheFiveEntriesFromTheSecondOnAndIsItsOwnInverse) {
  EXPECT_EQ(TZolSaveCfg::Scramble("", true), "");
  EXPECT_EQ(TZolSaveCfg::Scramble("Form2", false), "Form2");
  const std::string zeros(11, '\0');
  const std::string key = TZolSaveCfg::Scramble(zeros, true);
  for (std::size_t i = 5; i < key.size(); ++i) EXPECT_EQ(key[i], key[i - 5]);
  for (std::size_t i = 0; i < 5; ++i)
    for (std::size_t j = i + 1; j < 5; ++j) EXPECT_NE(key[i], key[j]);
  EXPECT_EQ(TZolSaveCfg::Scramble(TZolSaveCfg::Scramble("BarraVertical", true), true), "BarraVertical");
}

TEST(ZolSaveCfgScramble, StrToIntTakesDecimalIntegersOnly) {
  EXPECT_EQ(TZolSaveCfg::StrToInt("  -2147483648"), -2147483647 - 1);
  EXPECT_EQ(TZolSaveCfg::StrToInt("+17"), 17);
  for (const char* bad : {"", " ", "-", "12 ", "1e3", "0x10", "2147483648"})
    EXPECT_THROW(TZolSaveCfg::StrToInt(bad), EConvertError) << bad;
}

TEST(IniEscaping, EveryByteStringRoundTripsAndStaysOnOneSafeLine) {
  std::vector<std::string> samples = {"", " ", "a=b", "[x]", "\\x41", "ção", std::string("\0\n\r", 3)};
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
  samples.push_back(everyByte);
  for (int seed = 1; seed < 50; ++seed) {
    const Bytes noise = NoiseBytes(static_cast<std::size_t>(seed), static_cast<std::uint32_t>(seed));
    samples.emplace_back(noise.begin(), noise.end());
  }
  for (const std::string& raw : samples) {
    const std::string escaped = EscapeIni(raw);
    EXPECT_EQ(UnescapeIni(escaped), raw);
    EXPECT_TRUE(QString::fromUtf8(escaped).toUtf8() == QByteArray::fromStdString(escaped));
    for (char c : escaped) EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == '=' || c == ']' || c == '[');
    EXPECT_TRUE(escaped.empty() || escaped.front() != ' ');
  }
}

}  // namespace

// Fontconfig keeps its caches for the life of the process, which the leak
// checker would report once widgets have measured text.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
