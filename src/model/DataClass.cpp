#include "model/DataClass.h"

#include <algorithm>

#include "model/FileFormLink.h"
#include "model/PlcFamilies.h"
#include "model/ProjectReader.h"
#include "model/ProjectWriter.h"
#include "model/ShortString.h"
#include "model/TermTypes.h"
#include "model/Texts.h"

namespace kyr {

namespace {

std::uint8_t originOfName(std::string_view name) {
    if (name.size() < 3) return TKyrData::OriginNew;
    if (name.front() == '>') return TKyrData::OriginUpload;
    return TKyrData::OriginFile;
}

std::size_t insertPos(int index, std::size_t size) {
    if (index < 0) return 0;
    return std::min(static_cast<std::size_t>(index), size);
}

template <typename List>
bool eraseAt(List& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return false;
    list.erase(list.begin() + index);
    return true;
}

template <typename List>
bool moveItem(List& list, int from, int to) {
    const auto n = static_cast<int>(list.size());
    if (from < 0 || from >= n || to < 0 || to >= n) return false;
    auto item = std::move(list[static_cast<std::size_t>(from)]);
    list.erase(list.begin() + from);
    list.insert(list.begin() + to, std::move(item));
    return true;
}

}  // namespace

TKyrData::TKyrData(std::string_view name, std::uint8_t type)
    : TKyrData(WithOrigin{}, originOfName(name), name, type) {}

TKyrData::TKyrData(WithOrigin, std::uint8_t origin, std::string_view name, std::uint8_t type)
    : origin_(origin), fileName_(shortString(name)) {
    switch (origin) {
        case OriginNew:
            initNew(type);
            break;
        case OriginUpload:
            initUpload();
            break;
        default:
            initFile();
            break;
    }
}

TKyrData::~TKyrData() = default;

void TKyrData::initNew(std::uint8_t type) {
    commTable_ = TCommTable::Defaults();
    SetTermType(type);
    setup_ = TSetup::Defaults(language());
    fileVersion_ = ProgramVersion;
    readVersion_ = ProgramVersion;
}

void TKyrData::initUpload() {
    fileVersion_ = ProgramVersion;
    readVersion_ = ProgramVersion;
}

void TKyrData::initFile() {
    // Nothing has been read yet; the project reader sets type, versions and content.
    fileVersion_ = -1;
    readVersion_ = -1;
}

std::unique_ptr<TKyrData> TKyrData::NewProject(int untitledNumber, std::uint8_t type) {
    return std::make_unique<TKyrData>(WithOrigin{}, OriginNew, UntitledName(untitledNumber), type);
}

std::unique_ptr<TKyrData> TKyrData::ForUpload(int uploadNumber) {
    return std::make_unique<TKyrData>(WithOrigin{}, OriginUpload, UploadName(uploadNumber), 0);
}

std::unique_ptr<TKyrData> TKyrData::ForFile(std::string_view path) {
    return std::make_unique<TKyrData>(WithOrigin{}, OriginFile, path, 0);
}

std::unique_ptr<TKyrData> TKyrData::FromFile(std::string_view path) {
    auto data = ForFile(path);
    ProjectReader(*data, path).ReadFile(std::string(path));
    return data;
}

bool TKyrData::SaveToFile(std::string_view newName, std::string_view newDescription) {
    return SaveProject(*this, newName, newDescription);
}

std::string TKyrData::UploadName(int uploadNumber) {
    std::string name = "> KYR";
    if (uploadNumber > 0) name += std::to_string(uploadNumber);
    name += " <";
    return name.substr(0, 10);
}

std::string TKyrData::UntitledName(int untitledNumber) {
    return untitledNumber == 0 ? std::string() : std::to_string(untitledNumber);
}

void TKyrData::SetFileName(std::string_view name) { fileName_ = shortString(name); }

std::string TKyrData::DisplayName() const {
    switch (origin_) {
        case OriginNew:
            return "NoName " + fileName_;
        case OriginFile:
        case OriginUpload:
            return fileName_;
        default:
            return {};
    }
}

void TKyrData::SetDescription(std::string_view text) { description_ = shortString(text); }

// ---- versions ---------------------------------------------------------------------------

int TKyrData::RequiredVersion() const {
    const int family = PlcFamily();
    int v = family > 9 ? protocolLadderVersion(setup_.Protocol()) : 218;
    const bool cyrillic = std::any_of(screens_.begin(), screens_.end(),
                                      [](const auto& s) { return s->CharSetBits() == 1; });
    if (cyrillic && v <= 226) v = 227;
    if (termType_ == 0 && setup_.IoBoard() == 4) v = std::max(v, 255);
    if (termType_ == 2) v = std::max(v, 250);
    if (termType_ == 3) v = std::max(v, 253);
    if (termType_ == 4) {
        v = std::max(v, 258);
    } else if (TermFamily() == 2) {
        v = std::max(v, 260);
    }
    return v;
}

namespace {

int firmwareByFamily(int family, int protocol) {
    switch (family) {
        case 4:
            return 213;
        case 5:
            return 214;
        case 6:
            return 215;
        case 7:
        case 8:
            return 217;
        case 9:
            return 218;
        default:
            return family > 9 ? protocolLadderVersion(protocol) : 212;
    }
}

bool miniRunsAt250(int protocol) {
    switch (protocol) {
        case 0:
        case 1:
        case 4:
        case 6:
        case 7:
        case 13:
            return true;
        default:
            return false;
    }
}

}  // namespace

int TKyrData::RequiredFirmware() const {
    const int protocol = setup_.Protocol();
    int v = firmwareByFamily(PlcFamily(), protocol);
    if (v <= 213 && setup_.ParityIndex() >= 6) v = 214;
    if (termType_ == 2) v = miniRunsAt250(protocol) ? 250 : std::max(v, 251);
    if (termType_ == 0 && setup_.IoBoard() == 4) v = std::max(v, 255);
    for (const auto& screen : screens_) v = std::max(v, screen->FirmwareLevel());
    return v;
}

// ---- terminal type ----------------------------------------------------------------------

void TKyrData::SetTermType(std::uint8_t type) {
    if (const TermTypeInfo* info = termTypeInfo(type)) {
        termType_ = type;
        rows_ = info->rows;
        cols_ = info->cols;
        lastCommRow_ = info->lastCommRow;
    }
    screenSize_ = static_cast<std::uint16_t>(rows_ * cols_);
}

int TKyrData::TermFamily() const { return termFamilyOf(termType_); }
bool TKyrData::IsLum() const { return isLumType(termType_); }
bool TKyrData::IsLumQ() const { return isLumQType(termType_); }
bool TKyrData::IsLumSigma() const { return isLumSigmaType(termType_); }

// ---- setup and PLC family ---------------------------------------------------------------

void TKyrData::GetSetupImage(std::span<std::uint8_t, TSetup::Size> dest) const {
    std::copy(setup_.Bytes().begin(), setup_.Bytes().end(), dest.begin());
}

void TKyrData::SetSetupImage(std::span<const std::uint8_t, TSetup::Size> src) {
    std::copy(src.begin(), src.end(), setup_.Bytes().begin());
}

int TKyrData::PlcFamily() const { return plcFamilyOf(setup_.Protocol()); }
std::string_view TKyrData::FamilyLongName() const { return plcFamilyInfo(PlcFamily()).longName; }
std::string_view TKyrData::FamilyShortName() const { return plcFamilyInfo(PlcFamily()).shortName; }
std::string_view TKyrData::FamilyPrefixName() const {
    return plcFamilyInfo(PlcFamily()).prefixName;
}
int TKyrData::LowestSystemNumber() const { return plcFamilyInfo(PlcFamily()).lowestSystem; }
int TKyrData::HighestSystemNumber() const { return plcFamilyInfo(PlcFamily()).highestSystem; }
int TKyrData::SystemDigits() const { return plcFamilyInfo(PlcFamily()).systemDigits; }
bool TKyrData::HasNoSystemNumbers() const {
    return hasNoSystemNumbers(setup_.Protocol(), setup_.LanguageEx());
}

// ---- screens ----------------------------------------------------------------------------

TKyrScreen& TKyrData::AddScreen(int number, int index) {
    auto screen = std::make_unique<TKyrScreen>(*this);
    screen->SetNumber(number);
    TKyrScreen& ref = *screen;
    screens_.insert(
        screens_.begin() + static_cast<std::ptrdiff_t>(insertPos(index, screens_.size())),
        std::move(screen));
    modified_ = true;
    return ref;
}

TKyrScreen& TKyrData::AppendScreen(std::unique_ptr<TKyrScreen> screen) {
    screens_.push_back(std::move(screen));
    return *screens_.back();
}

bool TKyrData::DeleteScreen(int index) {
    if (!eraseAt(screens_, index)) return false;
    modified_ = true;
    return true;
}

bool TKyrData::MoveScreen(int from, int to) {
    if (!moveItem(screens_, from, to)) return false;
    modified_ = true;
    return true;
}

int TKyrData::IndexOfScreen(int number) const {
    for (std::size_t i = 0; i < screens_.size(); ++i) {
        if (screens_[i]->Number() == number) return static_cast<int>(i);
    }
    return -1;
}

void TKyrData::SortScreens() {
    std::stable_sort(screens_.begin(), screens_.end(),
                     [](const auto& a, const auto& b) { return a->Number() < b->Number(); });
}

// ---- EXD tables -------------------------------------------------------------------------

TExdTab& TKyrData::AddExdTable(std::uint8_t number, int index) {
    auto table = std::make_unique<TExdTab>(*this);
    table->SetNumber(number);
    TExdTab& ref = *table;
    exdTables_.insert(
        exdTables_.begin() + static_cast<std::ptrdiff_t>(insertPos(index, exdTables_.size())),
        std::move(table));
    modified_ = true;
    return ref;
}

TExdTab& TKyrData::AppendExdTable(std::unique_ptr<TExdTab> table) {
    exdTables_.push_back(std::move(table));
    return *exdTables_.back();
}

bool TKyrData::DeleteExdTable(int index) {
    if (!eraseAt(exdTables_, index)) return false;
    modified_ = true;
    return true;
}

bool TKyrData::MoveExdTable(int from, int to) {
    if (!moveItem(exdTables_, from, to)) return false;
    modified_ = true;
    return true;
}

int TKyrData::IndexOfExdTable(int number) const {
    for (std::size_t i = 0; i < exdTables_.size(); ++i) {
        if (exdTables_[i]->Number() == number) return static_cast<int>(i);
    }
    return -1;
}

// ---- change tracking --------------------------------------------------------------------

bool TKyrData::IsModified() const {
    return modified_ || std::any_of(screens_.begin(), screens_.end(),
                                    [](const auto& s) { return s->Modified(); });
}

void TKyrData::ClearModified() {
    modified_ = false;
    for (auto& s : screens_) s->SetModified(false);
}

void TKyrData::RefreshWindow() const {
    if (fileForm_) fileForm_->RefreshScreenList(-1);
}

}  // namespace kyr
