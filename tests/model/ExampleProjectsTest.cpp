#include <gtest/gtest.h>

#include <string>

#include "ProjectFiles.h"
#include "RecordingDialog.h"
#include "model/DataClass.h"
#include "model/Func.h"
#include "model/ProjectWriter.h"
#include "model/Screen.h"

namespace kyr {
namespace {

using test::ReadBytes;
using test::RecordingDialog;
using test::TempFolder;

std::string example(const std::string& name) { return std::string(KYR_EXAMPLES_DIR) + "/" + name; }

// Each example reads without a message and is written back byte for byte: the files are
// exactly what the program saves.
TEST(ExampleProjects, ReadCleanAndSaveTheSameBytes) {
    const struct {
        const char* file;
        std::uint8_t type;
        int screens;
        int functions;
        int exdTables;
    } cases[] = {
        {"boiler-t240e.kyr", 0, 2, 9, 1},
        {"counter-lumq2.kyr", 7, 2, 2, 0},
        {"pump-grand-cyrillic.kyr", 3, 1, 4, 0},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        RecordingDialog dialog;
        const auto data = TKyrData::FromFile(example(c.file));
        ASSERT_FALSE(data->LoadFailed()) << c.file;
        EXPECT_TRUE(dialog.texts().empty()) << c.file;
        EXPECT_EQ(data->TermType(), c.type) << c.file;
        EXPECT_FALSE(data->IsModified()) << c.file;  // reading changes nothing
        EXPECT_EQ(data->ScreenCount(), c.screens) << c.file;
        EXPECT_EQ(data->ExdCount(), c.exdTables) << c.file;
        int functions = 0;
        for (const auto& s : data->Screens()) functions += s->FuncCount();
        EXPECT_EQ(functions, c.functions) << c.file;

        const std::string saved = folder.File(c.file);
        ASSERT_TRUE(data->SaveToFile(saved, data->Description())) << c.file;
        EXPECT_EQ(ReadBytes(saved), ReadBytes(example(c.file))) << c.file;
        const auto again = TKyrData::FromFile(saved);
        const std::string savedAgain = folder.File(std::string("again-") + c.file);
        ASSERT_TRUE(again->SaveToFile(savedAgain, again->Description())) << c.file;
        EXPECT_EQ(ReadBytes(savedAgain), ReadBytes(saved)) << c.file;
        EXPECT_TRUE(dialog.texts().empty()) << c.file;
    }
}

}  // namespace
}  // namespace kyr
