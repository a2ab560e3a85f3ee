#include <gtest/gtest.h>

#include <sstream>

#include "RecordingDialog.h"
#include "model/Bytes.h"
#include "model/ConsoleDialog.h"
#include "model/Texts.h"

namespace kyr {
namespace {

struct LanguageGuard {
    std::uint8_t saved = language();
    ~LanguageGuard() { setLanguage(saved); }
};

TEST(Texts, LookupFollowsTheLanguageByte) {
    LanguageGuard guard;
    const Text3 t{"chyba", "Fehler", "error"};
    EXPECT_EQ(tr(t, LangCzech), "chyba");
    EXPECT_EQ(tr(t, LangGerman), "Fehler");
    EXPECT_EQ(tr(t, LangEnglish), "error");
    EXPECT_EQ(tr(t, 7), "error");
    setLanguage(LangGerman);
    EXPECT_EQ(tr(texts::TitleError), "FEHLER");
    setLanguage(LangCzech);
    EXPECT_EQ(tr(texts::TitleError), "CHYBA");
}

TEST(UserDialogs, RecordingDoubleIsInstalledAndRemoved) {
    {
        test::RecordingDialog rec;
        rec.answers.push_back(Answer::Yes);
        showError("boom");
        EXPECT_TRUE(askYesNo(MsgKind::Warning, "CONFIRM", "go?"));
        EXPECT_FALSE(askYesNo(MsgKind::Warning, "CONFIRM", "again?"));
        dialogs().beep();
        ASSERT_EQ(rec.entries.size(), 4u);
        EXPECT_EQ(rec.entries[0].title, "ERROR");
        EXPECT_EQ(rec.entries[0].kind, MsgKind::Error);
        EXPECT_EQ(rec.texts(), (std::vector<std::string>{"boom", "go?", "again?"}));
        EXPECT_EQ(rec.beeps, 1);
        EXPECT_EQ(&dialogs(), &rec);
    }
    test::RecordingDialog outer;
    EXPECT_EQ(&dialogs(), &outer);
}

TEST(UserDialogs, ConsoleWritesOneLinePerBox) {
    std::ostringstream out;
    ConsoleDialog no(out, false);
    no.message(MsgKind::Error, "ERROR", "Bad\r\nthing");
    no.message(MsgKind::Information, "DONE", "ok");
    EXPECT_EQ(no.question(MsgKind::Question, "CONFIRM", "Save?", Buttons::YesNoCancel), Answer::No);
    EXPECT_EQ(no.question(MsgKind::Error, "ERROR", "Diff", Buttons::OkCancel), Answer::Cancel);
    ConsoleDialog yes(out, true);
    EXPECT_EQ(yes.question(MsgKind::Question, "CONFIRM", "Save?", Buttons::YesNo), Answer::Yes);
    EXPECT_EQ(yes.inputBox("New Screen", "Enter number", "4"), std::optional<std::string>("4"));
    EXPECT_EQ(out.str(),
              "error: Bad thing\ninformation: ok\nquestion: Save? [no]\nquestion: Diff [no]\n"
              "question: Save? [yes]\nquestion: Enter number 4 [yes]\n");
}

TEST(Bytes, AccessorsKeepTheByteOrderExplicit) {
    Bytes b(8, 0);
    bytes::setU16be(b, 0, 0x1234);
    bytes::setU16le(b, 2, 0x1234);
    EXPECT_EQ((Bytes{b.begin(), b.begin() + 4}), (Bytes{0x12, 0x34, 0x34, 0x12}));
    EXPECT_EQ(bytes::u16(b, 0, false), 0x1234);
    EXPECT_EQ(bytes::u16(b, 2, true), 0x1234);
    bytes::setF32le(b, 4, 1.0f);
    EXPECT_EQ((Bytes{b.begin() + 4, b.end()}), (Bytes{0x00, 0x00, 0x80, 0x3F}));
    EXPECT_FLOAT_EQ(bytes::f32le(b, 4), 1.0f);
}

}  // namespace
}  // namespace kyr
