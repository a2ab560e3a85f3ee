#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "model/Texts.h"

namespace kyr {

// Every command of the main window's menus and tool bar.
enum class Cmd : std::size_t {
    FileNew, FileOpen, FileClose, FileSave, FileSaveAs, FileHex, FilePrint, FirmwareM, FirmwareLum,
    FileExit, Settings, KyrInfo, KyrClock, KyrUpload, KyrVerify, KyrDownload, WindowCascade,
    WindowTile, WindowArrange, WindowMinimize, About, TestLanguage,
    // Tool bar commands that act on the active child window.
    Cut, Copy, Paste, InsertScreen, DeleteScreen, InsertExd, DeleteExd, InsertMNUM, InsertMSTR,
    InsertSSTR, InsertBUTT, InsertBAR,
    Count
};
inline constexpr std::size_t CmdCount = static_cast<std::size_t>(Cmd::Count);

// The menu a command sits in; None for tool-bar-only commands. Settings and About are items
// of the menu bar itself.
enum class MenuId { None, File, Bar, Kyr, Window };

struct CommandDef {
    Cmd cmd;
    MenuId menu;
    const char* objectName;     // of the menu item (QAction)
    const Text3* text;
    const Text3* hint;          // "short|long"; nullptr for none
    const char* shortcut;       // portable key text, "" for none
    const char* buttonName;     // of the tool button, nullptr when the command has none
};

// Table order is menu order; tool buttons follow toolBarOrder().
std::span<const CommandDef> commandTable();
const CommandDef& commandDef(Cmd cmd);
std::span<const Cmd> toolBarOrder();

struct MenuDef {
    MenuId id;
    const char* objectName;
    const Text3* text;
    const Text3* hint;
};
std::span<const MenuDef> menuTable();

// What the command states depend on; the main window gathers it on every idle pass.
enum class ChildKind { None, Project, MultiScreen, Other };

struct ProjectSummary {
    bool modified = false;  // its own flag or any screen's
    int origin = 0;         // 1: the project has a file of its own
    int termFamily = 0;
};

struct EditState {
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool operator==(const EditState&) const = default;
};

struct CommandContext {
    int childCount = 0;
    ChildKind active = ChildKind::None;
    int projectPage = -1;                   // page of the active project window
    std::optional<ProjectSummary> project;  // the project of the active child
    EditState edit;                         // of the active project window or multi-screen view
    bool systemMode = false;
    bool canCreateProjects = false;  // a project window can be made (New, Open, recent files)
    bool terminalLink = false;       // the terminal commands can run
    bool printing = false;           // the print dialog exists
};

struct CommandState {
    bool enabled = true;
    bool visible = true;
    bool operator==(const CommandState&) const = default;
};

using CommandStates = std::array<CommandState, CmdCount>;
CommandStates commandStates(const CommandContext& context);

inline CommandState stateOf(const CommandStates& states, Cmd cmd) {
    return states[static_cast<std::size_t>(cmd)];
}

}  // namespace kyr
