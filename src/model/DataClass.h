#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/CommTable.h"
#include "model/ExdTab.h"
#include "model/Screen.h"
#include "model/Setup.h"
#include "model/Version.h"

namespace kyr {

class TFileFormLink;

// One project: a terminal program in memory. It knows the terminal type (and from it the
// display geometry and the communication-table rows), the setup, the communication table,
// and owns the screens and EXD tables in two ordered lists.
class TKyrData {
public:
    enum : std::uint8_t { OriginNew = 0, OriginFile = 1, OriginUpload = 2 };

    using ScreenList = std::vector<std::unique_ptr<TKyrScreen>>;
    using ExdList = std::vector<std::unique_ptr<TExdTab>>;

    // The name decides the origin: shorter than 3 characters, a new project of `type` (the
    // name is the untitled number); starting with ">", an empty project for an upload;
    // anything else, the path of a file that the project reader then fills.
    explicit TKyrData(std::string_view name, std::uint8_t type = 0);
    TKyrData(const TKyrData&) = delete;
    TKyrData& operator=(const TKyrData&) = delete;
    ~TKyrData();

    // Unambiguous ways to make the three kinds; a new project's name is "" for the first
    // untitled project, then "1", "2" ... (any number of digits), an upload's name follows
    // UploadName.
    static std::unique_ptr<TKyrData> NewProject(int untitledNumber, std::uint8_t type);
    static std::unique_ptr<TKyrData> ForUpload(int uploadNumber);
    static std::unique_ptr<TKyrData> ForFile(std::string_view path);
    // File Open: a project of origin "file" filled by the project reader from `path`. Every
    // problem has been reported when it returns; a project with LoadFailed is to be discarded.
    static std::unique_ptr<TKyrData> FromFile(std::string_view path);

    // "> KYR", the number when above 0, " <", cut to 10 characters.
    static std::string UploadName(int uploadNumber);
    // "" for 0, else the decimal number.
    static std::string UntitledName(int untitledNumber);

    // --- identity ---------------------------------------------------------------------------
    std::uint8_t Origin() const { return origin_; }
    void SetOrigin(std::uint8_t origin) { origin_ = origin; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string_view name);
    // "NoName " + FileName for a new project, FileName for a file or upload, else "".
    std::string DisplayName() const;

    const std::string& Description() const { return description_; }
    void SetDescription(std::string_view text);

    // --- versions ---------------------------------------------------------------------------
    int FileVersion() const { return fileVersion_; }
    void SetFileVersion(int v) { fileVersion_ = v; }
    int CompatVersion() const { return compatVersion_; }
    void SetCompatVersion(int v) { compatVersion_ = v; }
    int ReadVersion() const { return readVersion_; }
    void SetReadVersion(int v) { readVersion_ = v; }
    bool LoadFailed() const { return loadFailed_; }
    void SetLoadFailed(bool failed) { loadFailed_ = failed; }

    // Lowest program version able to read this project (COMPAT).
    int RequiredVersion() const;
    // Lowest terminal firmware level able to run this project.
    int RequiredFirmware() const;

    // --- terminal type ----------------------------------------------------------------------
    std::uint8_t TermType() const { return termType_; }
    // Sets type, geometry and LastCommRow from the type table; a type outside 0..9 changes
    // nothing but recomputes ScreenSize.
    void SetTermType(std::uint8_t type);
    std::uint8_t Rows() const { return rows_; }
    std::uint8_t Cols() const { return cols_; }
    std::uint16_t ScreenSize() const { return screenSize_; }
    std::uint8_t LastCommRow() const { return lastCommRow_; }
    int TermFamily() const;
    bool IsLum() const;
    bool IsLumQ() const;
    bool IsLumSigma() const;

    // --- setup and PLC family ---------------------------------------------------------------
    const TSetup& Setup() const { return setup_; }
    TSetup& Setup() { return setup_; }
    void GetSetupImage(std::span<std::uint8_t, TSetup::Size> dest) const;
    void SetSetupImage(std::span<const std::uint8_t, TSetup::Size> src);

    int PlcFamily() const;
    std::string_view FamilyLongName() const;
    std::string_view FamilyShortName() const;
    std::string_view FamilyPrefixName() const;
    int LowestSystemNumber() const;
    int HighestSystemNumber() const;
    int SystemDigits() const;
    bool HasNoSystemNumbers() const;

    // --- communication table ----------------------------------------------------------------
    const TCommTable& CommTable() const { return commTable_; }
    TCommTable& CommTable() { return commTable_; }
    // The 32-byte communication block with every Begin in the terminal family's byte order
    // (high byte first for families 0 and 1, low byte first for family 2); the table itself
    // is unchanged.
    void GetCommImage(std::span<std::uint8_t, TCommTable::Size> dest) const;
    // Replaces the table by a received block, Begin taken in the family's byte order.
    void SetCommImage(std::span<const std::uint8_t, TCommTable::Size> src);

    // --- screens ----------------------------------------------------------------------------
    const ScreenList& Screens() const { return screens_; }
    int ScreenCount() const { return static_cast<int>(screens_.size()); }
    // Precondition: 0 <= index < ScreenCount().
    TKyrScreen& Screen(int index) const { return *screens_.at(static_cast<std::size_t>(index)); }
    // A new empty screen with `number` at `index` (negative → 0, past the end → appended);
    // sets Modified.
    TKyrScreen& AddScreen(int number, int index);
    // Takes a screen built elsewhere (reader, upload) and appends it; Modified is unchanged.
    TKyrScreen& AppendScreen(std::unique_ptr<TKyrScreen> screen);
    // Frees the screen at `index`; sets Modified. False when the index is out of range.
    bool DeleteScreen(int index);
    // Moves the screen at `from` to position `to`, the others shift; sets Modified.
    bool MoveScreen(int from, int to);
    // List index of the first screen with `number`, -1 if none.
    int IndexOfScreen(int number) const;
    // Orders the screens by number, ascending; equal numbers keep their order.
    void SortScreens();
    // Builds a screen from its image record (format 217, 218 or a firmware level) and
    // appends it; returns ScreenImageAccepted. A bad record is destroyed and its screen
    // number returned (-1 when the record is too short to hold one). Modified is unchanged.
    static constexpr int ScreenImageAccepted = 65535;
    int AddScreenFromImage(std::span<const std::uint8_t> record, int format);

    // --- EXD tables -------------------------------------------------------------------------
    const ExdList& ExdTables() const { return exdTables_; }
    int ExdCount() const { return static_cast<int>(exdTables_.size()); }
    TExdTab& ExdTable(int index) const { return *exdTables_.at(static_cast<std::size_t>(index)); }
    TExdTab& AddExdTable(std::uint8_t number, int index);
    TExdTab& AppendExdTable(std::unique_ptr<TExdTab> table);
    bool DeleteExdTable(int index);
    bool MoveExdTable(int from, int to);
    int IndexOfExdTable(int number) const;
    // The image record of the table at `index`, written one byte into `dest` (see
    // TExdTab::PutToImage); returns 65. For an index outside the list nothing is written and
    // the index itself is returned.
    int ExdTableImage(int index, std::span<std::uint8_t> dest) const;
    // The image record of a new, empty table numbered `number`, placed the same way.
    int NewExdTableImage(std::uint8_t number, std::span<std::uint8_t> dest);
    // Builds a table from its image slot and appends it; a bad one is destroyed (false).
    // Modified is unchanged.
    bool AddExdTableFromImage(std::span<const std::uint8_t> src);

    // --- change tracking --------------------------------------------------------------------
    // The project's own flag (setup, communication table, list membership).
    bool Modified() const { return modified_; }
    void SetModified(bool modified = true) { modified_ = modified; }
    // True when the project's flag or any screen's flag is set.
    bool IsModified() const;
    // Clears the project's flag and every screen's flag.
    void ClearModified();

    // --- file -----------------------------------------------------------------------------
    // Save (empty `newName`) or Save As with a new name and description; true when saved.
    bool SaveToFile(std::string_view newName, std::string_view newDescription);

    // --- window -----------------------------------------------------------------------------
    TFileFormLink* FileForm() const { return fileForm_; }
    void SetFileForm(TFileFormLink* form) { fileForm_ = form; }
    // Asks the project window, when there is one, to rebuild its screen list.
    void RefreshWindow() const;

    // Only the factories can name this key, so the origin is set without looking at the name.
    class WithOrigin {
        WithOrigin() = default;
        friend class TKyrData;
    };
    TKyrData(WithOrigin, std::uint8_t origin, std::string_view name, std::uint8_t type);

private:
    void initNew(std::uint8_t type);
    void initUpload();
    void initFile();

    std::uint8_t origin_ = OriginNew;
    std::string fileName_;
    std::uint8_t termType_ = 0;
    int fileVersion_ = 0;
    int compatVersion_ = 999;
    TFileFormLink* fileForm_ = nullptr;
    TSetup setup_;
    TCommTable commTable_;
    ScreenList screens_;
    ExdList exdTables_;
    bool modified_ = false;
    int readVersion_ = 0;
    bool loadFailed_ = false;
    std::uint8_t rows_ = 0;
    std::uint8_t cols_ = 0;
    std::uint16_t screenSize_ = 0;
    std::string description_;
    std::uint8_t lastCommRow_ = 0;
};

}  // namespace kyr
