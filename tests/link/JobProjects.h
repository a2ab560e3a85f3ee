#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "link/JobImages.h"
#include "model/DataClass.h"
#include "model/Func.h"
#include "model/Screen.h"

namespace kyr::test {

// The blocks of a project as a transfer sends them, for comparing two projects.
struct ProjectImages {
    std::array<std::uint8_t, TSetup::Size> setup{};
    std::array<std::uint8_t, TCommTable::Size> comm{};
    std::vector<Bytes> exd;
    std::vector<Bytes> screens;  // records in number order

    bool operator==(const ProjectImages&) const = default;
};

inline ProjectImages imagesOf(TKyrData& p, std::size_t commBytes, int level = 257) {
    ProjectImages out;
    p.GetSetupImage(out.setup);
    p.GetCommImage(out.comm);
    std::fill(out.comm.begin() + static_cast<std::ptrdiff_t>(commBytes), out.comm.end(), 0);
    for (int i = 0; i < p.ExdCount(); ++i) {
        Bytes slot(TExdTab::ImageSlotSize);
        p.ExdTableImage(i, slot);
        out.exd.emplace_back(slot.begin() + 1, slot.end());
    }
    std::vector<TKyrScreen*> byNumber;
    for (const auto& s : p.Screens()) byNumber.push_back(s.get());
    std::stable_sort(byNumber.begin(), byNumber.end(),
                     [](auto* a, auto* b) { return a->Number() < b->Number(); });
    for (TKyrScreen* s : byNumber)
        out.screens.push_back(BuildScreenImage(*s, level, true).bytes);
    return out;
}

// Appends a screen with `text` and, with `field`, a number field behind the text.
inline TKyrScreen& addScreen(TKyrData& p, int number, const std::string& text, bool field) {
    TKyrScreen& s = p.AddScreen(number, p.ScreenCount());
    s.SetDisplayText(text);
    if (field) {
        auto f = std::make_unique<TFunc>(p, TFunc::KindNum);
        f->SetPosition(7);
        f->SetSourceAddr(0x0120);
        s.AppendFunction(std::move(f));
    }
    return s;
}

// A project of `type` with a controller protocol, a filled communication table and, where
// the type has them, two EXD tables.
inline std::unique_ptr<TKyrData> sampleProject(std::uint8_t type) {
    auto p = TKyrData::NewProject(0, type);
    p->Setup().SetProtocol(1);
    p->Setup().SetAddress(3);
    for (int row = 0; row <= p->LastCommRow(); ++row)
        p->CommTable().SetRow(row, 0, 2, static_cast<std::uint16_t>(0x0100 * (row + 1) + 0x12));
    if (type != 2) {
        TExdTab& a = p->AddExdTable(3, 0);
        a.SetRow(0, 0, 1, 0x1234);
        a.SetRow(1, 0, 2, 0x0042);
        TExdTab& b = p->AddExdTable(5, 1);
        b.SetRow(15, 0, 3, 0xBEEF);
    }
    addScreen(*p, 1, "Pump 1 ##### rpm", true);
    addScreen(*p, 2, "Level low", false);
    addScreen(*p, 7, "Alarm", false);
    return p;
}

}  // namespace kyr::test
