#include "app/Commands.h"

#include "app/AppTexts.h"

namespace kyr {

namespace {

namespace t = apptexts;

constexpr CommandDef Commands[] = {
    {Cmd::FileNew, MenuId::File, "FileNewItem", &t::FileNew, &t::FileNewHint, "Ctrl+N", nullptr},
    {Cmd::FileOpen, MenuId::File, "FileOpenItem", &t::FileOpen, &t::FileOpenHint, "Ctrl+O",
     "FileOpenBtn"},
    {Cmd::FileClose, MenuId::File, "FileCloseItem", &t::FileClose, &t::FileCloseHint, "", nullptr},
    {Cmd::FileSave, MenuId::File, "FileSaveItem", &t::FileSave, &t::FileSaveHint, "Ctrl+S",
     "FileSaveBtn"},
    {Cmd::FileSaveAs, MenuId::File, "FileSaveAsItem", &t::FileSaveAs, &t::FileSaveAsHint, "",
     nullptr},
    {Cmd::FileHex, MenuId::File, "FileHexItem", &t::FileHex, &t::FileHexHint, "", "FileHexBtn"},
    {Cmd::FilePrint, MenuId::File, "FilePrintItem", &t::FilePrint, &t::FilePrintHint, "Ctrl+P",
     "FilePrintBtn"},
    {Cmd::FirmwareM, MenuId::File, "FirmwareMItem", &t::FirmwareM, &t::FirmwareMHint, "",
     nullptr},
    {Cmd::FirmwareLum, MenuId::File, "FirmwareLumItem", &t::FirmwareLum, &t::FirmwareLumHint, "",
     nullptr},
    {Cmd::FileExit, MenuId::File, "FileExitItem", &t::FileExit, &t::FileExitHint, "",
     "FileExitBtn"},
    {Cmd::Settings, MenuId::Bar, "SettingsItem", &t::SettingsMenu, &t::SettingsMenuHint, "",
     nullptr},
    {Cmd::KyrInfo, MenuId::Kyr, "KyrInfoItem", &t::KyrInfo, &t::KyrInfoHint, "", nullptr},
    {Cmd::KyrClock, MenuId::Kyr, "KyrClockItem", &t::KyrClock, &t::KyrClockHint, "", nullptr},
    {Cmd::KyrUpload, MenuId::Kyr, "KyrUploadItem", &t::KyrUpload, &t::KyrUploadHint, "",
     "KyrUploadBtn"},
    {Cmd::KyrVerify, MenuId::Kyr, "KyrVerifyItem", &t::KyrVerify, &t::KyrVerifyHint, "",
     "KyrVerifyBtn"},
    {Cmd::KyrDownload, MenuId::Kyr, "KyrDownloadItem", &t::KyrDownload, &t::KyrDownloadHint, "",
     "KyrDownloadBtn"},
    {Cmd::WindowCascade, MenuId::Window, "WindowCascadeItem", &t::WindowCascade,
     &t::WindowCascadeHint, "", nullptr},
    {Cmd::WindowTile, MenuId::Window, "WindowTileItem", &t::WindowTile, &t::WindowTileHint, "",
     nullptr},
    {Cmd::WindowArrange, MenuId::Window, "WindowArrangeItem", &t::WindowArrange,
     &t::WindowArrangeHint, "", nullptr},
    {Cmd::WindowMinimize, MenuId::Window, "WindowMinimizeItem", &t::WindowMinimize,
     &t::WindowMinimizeHint, "", nullptr},
    {Cmd::About, MenuId::Bar, "AboutItem", &t::AboutMenu, &t::AboutMenuHint, "", nullptr},
    {Cmd::TestLanguage, MenuId::Bar, "TestLanguageItem", &t::TestLanguage, nullptr, "Ctrl+F1",
     nullptr},
    {Cmd::Cut, MenuId::None, "CutCmd", &t::Cut, &t::CutHint, "", "CutBtn"},
    {Cmd::Copy, MenuId::None, "CopyCmd", &t::Copy, &t::CopyHint, "", "CopyBtn"},
    {Cmd::Paste, MenuId::None, "PasteCmd", &t::Paste, &t::PasteHint, "", "PasteBtn"},
    {Cmd::InsertScreen, MenuId::None, "InsertScreenCmd", &t::InsertScreen, &t::InsertScreenHint,
     "", "InsertScreenBtn"},
    {Cmd::DeleteScreen, MenuId::None, "DeleteScreenCmd", &t::DeleteScreen, &t::DeleteScreenHint,
     "", "DeleteScreenBtn"},
    {Cmd::InsertExd, MenuId::None, "InsertExdCmd", &t::InsertExd, &t::InsertExdHint, "",
     "InsertExdBtn"},
    {Cmd::DeleteExd, MenuId::None, "DeleteExdCmd", &t::DeleteExd, &t::DeleteExdHint, "",
     "DeleteExdBtn"},
    {Cmd::InsertMNUM, MenuId::None, "InsertMNUMCmd", &t::InsertMnumHint, &t::InsertMnumHint, "",
     "InsertMNUMBtn"},
    {Cmd::InsertMSTR, MenuId::None, "InsertMSTRCmd", &t::InsertMstrHint, &t::InsertMstrHint, "",
     "InsertMSTRBtn"},
    {Cmd::InsertSSTR, MenuId::None, "InsertSSTRCmd", &t::InsertSstrHint, &t::InsertSstrHint, "",
     "InsertSSTRBtn"},
    {Cmd::InsertBUTT, MenuId::None, "InsertBUTTCmd", &t::InsertButtHint, &t::InsertButtHint, "",
     "InsertBUTTBtn"},
    {Cmd::InsertBAR, MenuId::None, "InsertBARCmd", &t::InsertBarHint, &t::InsertBarHint, "",
     "InsertBARBtn"},
};
static_assert(std::size(Commands) == CmdCount);

constexpr Cmd ToolBar[] = {
    Cmd::FileOpen,     Cmd::FileSave,     Cmd::Cut,          Cmd::Copy,       Cmd::Paste,
    Cmd::FileExit,     Cmd::InsertScreen, Cmd::DeleteScreen, Cmd::InsertExd,  Cmd::DeleteExd,
    Cmd::InsertMNUM,   Cmd::InsertMSTR,   Cmd::InsertSSTR,   Cmd::InsertBUTT, Cmd::InsertBAR,
    Cmd::KyrUpload,    Cmd::KyrDownload,  Cmd::FileHex,      Cmd::KyrVerify,  Cmd::FilePrint,
};

constexpr MenuDef Menus[] = {
    {MenuId::File, "FileMenu", &t::FileMenu, &t::FileMenuHint},
    {MenuId::Kyr, "KyrMenu", &t::KyrMenu, &t::KyrMenuHint},
    {MenuId::Window, "WindowMenu", &t::WindowMenu, &t::WindowMenuHint},
};

void set(CommandStates& s, Cmd cmd, bool enabled) { s[static_cast<std::size_t>(cmd)].enabled = enabled; }
void show(CommandStates& s, Cmd cmd, bool visible) { s[static_cast<std::size_t>(cmd)].visible = visible; }

}  // namespace

std::span<const CommandDef> commandTable() { return Commands; }

const CommandDef& commandDef(Cmd cmd) { return Commands[static_cast<std::size_t>(cmd)]; }

std::span<const Cmd> toolBarOrder() { return ToolBar; }

std::span<const MenuDef> menuTable() { return Menus; }

CommandStates commandStates(const CommandContext& c) {
    CommandStates s{};
    const bool anyChild = c.childCount > 0;
    for (Cmd cmd : {Cmd::FileClose, Cmd::WindowCascade, Cmd::WindowTile, Cmd::WindowArrange,
                    Cmd::WindowMinimize})
        set(s, cmd, anyChild);

    const bool project = c.project.has_value();
    const bool needsSave = project && (c.project->modified || c.project->origin != 1);
    set(s, Cmd::FileSave, needsSave);
    set(s, Cmd::FileSaveAs, project);
    set(s, Cmd::FilePrint, project && c.printing);
    set(s, Cmd::KyrDownload, project && c.terminalLink);
    set(s, Cmd::KyrVerify, project && c.terminalLink && c.project->termFamily != 2);
    set(s, Cmd::FileHex, project && (c.systemMode || c.project->termFamily == 0));

    for (Cmd cmd : {Cmd::FileNew, Cmd::FileOpen}) set(s, cmd, c.canCreateProjects);
    for (Cmd cmd : {Cmd::KyrInfo, Cmd::KyrClock, Cmd::FirmwareM, Cmd::FirmwareLum})
        set(s, cmd, c.terminalLink);
    set(s, Cmd::KyrUpload, c.terminalLink && c.canCreateProjects);

    const bool onScreens = c.active == ChildKind::Project && c.projectPage == 0;
    const bool onExd = c.active == ChildKind::Project && c.projectPage == 2;
    show(s, Cmd::InsertScreen, onScreens);
    show(s, Cmd::DeleteScreen, onScreens);
    show(s, Cmd::InsertExd, onExd);
    show(s, Cmd::DeleteExd, onExd);
    for (Cmd cmd : {Cmd::InsertMNUM, Cmd::InsertMSTR, Cmd::InsertSSTR, Cmd::InsertBUTT,
                    Cmd::InsertBAR})
        show(s, cmd, c.active == ChildKind::MultiScreen);

    const bool editable = c.active == ChildKind::Project || c.active == ChildKind::MultiScreen;
    set(s, Cmd::Cut, editable && c.edit.cut);
    set(s, Cmd::Copy, editable && c.edit.copy);
    set(s, Cmd::Paste, editable && c.edit.paste);
    return s;
}

}  // namespace kyr
