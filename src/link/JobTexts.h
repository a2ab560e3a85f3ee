#pragma once

#include "model/Texts.h"

// Texts of the transfer jobs and their progress dialog.
namespace kyr::texts {

// --- progress dialog titles ------------------------------------------------------------------
inline constexpr Text3 JobTitleUpload{"Načtení programu z KYR", "Upload aus KYR",
                                      "Upload from KYR"};
inline constexpr Text3 JobTitleVerify{"Ověřování programu v KYR", "Überprüfung des Programms im KYR",
                                      "Verifying program in KYR"};
inline constexpr Text3 JobTitleDownload{"Přenos programu do KYR", "Download zum KYR",
                                        "Download to KYR"};
inline constexpr Text3 JobTitleFirmware{"Přenos firmwaru do KYR", "Firmware-Download zum KYR",
                                        "Firmware Download to KYR"};

// --- phase labels ----------------------------------------------------------------------------
inline constexpr Text3 PhaseStatus{"Čtení stavu KYR", "Lesen des KYR-Status",
                                   "Reading KYR Status"};
inline constexpr Text3 PhaseVersion{"Čtení verze KYR", "Lesen der KYR-Version",
                                    "Reading KYR Version"};
inline constexpr Text3 PhaseCompatibility{"Test kompatibility", "Kompatibilitätstest",
                                          "Testing compatibility"};
inline constexpr Text3 PhaseClear{"Mazání paměti KYR", "Löschen des KYR-Speichers",
                                  "Clearing KYR Memory"};
inline constexpr Text3 PhaseFlashErase{"Mazání paměti FLASH v KYR",
                                       "Löschen des KYR-Flash-Speichers",
                                       "Erasing KYR Flash Memory"};
inline constexpr Text3 PhaseMemorySize{"Čtení velikosti paměti KYR", "Lesen der KYR-Speichergröße",
                                       "Reading KYR Memory Size"};
inline constexpr Text3 PhaseSetup{"Nastavení", "Einstellungen", "Setup"};
inline constexpr Text3 PhaseControlTable{"Řídicí tabulka", "Steuertabelle", "Control Table"};
inline constexpr Text3 PhaseExdTables{"Tabulky EXD", "EXD-Tabellen", "EXD Tables"};
inline constexpr Text3 PhaseScreens{"Obrazovky", "Bildschirme", "Screens"};
inline constexpr Text3 PhaseLumStructure{"Čtení struktury paměti LUM",
                                         "Lesen der LUM-Speicherstruktur",
                                         "Reading LUM Memory Structure"};
inline constexpr Text3 PhaseProtocolTest{"Test kompatibility komunikačního protokolu",
                                         "Kompatibilitätstest des Kommunikationsprotokolls",
                                         "Communication Protocol Compatibility Test"};

// Labels of the firmware job's phases.
inline constexpr Text3 PhaseCommTest{"Test komunikace", "Kommunikationstest", "Communication test"};
inline constexpr Text3 PhaseBootVersion{"Čtení verze zavaděče BOOT", "Lesen der BOOT-Version",
                                        "Reading BOOT Version"};
inline constexpr Text3 PhaseBootSwitch{"Přepínání do režimu BOOT", "Umschalten in den BOOT-Modus",
                                       "Switching to BOOT mode"};
inline constexpr Text3 PhaseFlashErasing{"Mazání paměti flash", "Löschen des Flash-Speichers",
                                         "Flash erasing"};
inline constexpr Text3 PhaseFirmwareProgramming{"Programování firmwaru",
                                                "Programmierung der Firmware",
                                                "Firmware programming"};

// --- starting and ending ---------------------------------------------------------------------
inline constexpr Text3 NoKyrDataSelected{"Nejsou vybrána data KYR", "Keine KYR-Daten ausgewählt",
                                         "No KYR Data Selected"};
inline constexpr Text3 TransmissionFailed{"Přenos programu selhal.",
                                          "Programmübertragung fehlgeschlagen.",
                                          "Program transmission failed."};
inline constexpr Text3 TransmissionAborted{"Přenos programu byl přerušen uživatelem",
                                           "Programmübertragung vom Benutzer abgebrochen",
                                           "Program transmission aborted by user"};
inline constexpr Text3 VerificationAborted{"Ověřování programu bylo přerušeno uživatelem",
                                           "Programmüberprüfung vom Benutzer abgebrochen",
                                           "Program verification aborted by user"};

// --- status, versions, memory ----------------------------------------------------------------
inline constexpr Text3 UnknownKyrType{"Neznámý typ KYR", "Unbekannter KYR-Typ",
                                      "Unknown KYR type"};
inline constexpr Text3 AuxMemoryNotWriteable{"Přídavná paměť KYR není zapisovatelná",
                                             "Der KYR-Zusatzspeicher ist nicht beschreibbar",
                                             "KYR auxiliary memory is not writeable"};
inline constexpr Text3 TypeMismatch{
    "Typ připojeného terminálu KYR neodpovídá typu souboru",
    "Der Typ des angeschlossenen KYR-Terminals stimmt nicht mit dem Dateityp überein",
    "Type of connected KYR terminal doesn't match with the file type"};
// Followed by the version, e.g. "2.18".
inline constexpr Text3 OldFirmware{
    "Stará verze firmwaru KYR; pro požadovanou operaci potřebujete alespoň verzi ",
    "Alte KYR-Firmwareversion; für die gewünschte Operation benötigen Sie mindestens die Version ",
    "Old KYR firmware version; for the required operation you need at least the version "};
inline constexpr Text3 OldTool{
    "Stará verze programovacího nástroje KYR2; pro požadovanou operaci potřebujete alespoň "
    "verzi ",
    "Alte Version des KYR2-Programmierwerkzeugs; für die gewünschte Operation benötigen Sie "
    "mindestens die Version ",
    "Old KYR2 Programming Tool version; for the required operation you need at least version "};
inline constexpr Text3 CannotEraseFlash{"Paměť FLASH nelze smazat",
                                        "Der FLASH-Speicher kann nicht gelöscht werden",
                                        "Cannot erase the FLASH memory"};
inline constexpr Text3 ErrorWritingFlash{"Chyba při zápisu do paměti FLASH",
                                         "Fehler beim Schreiben des FLASH-Speichers",
                                         "Error writing the FLASH memory"};
inline constexpr Text3 NoValidData{"V KYR nejsou platná data", "Keine gültigen Daten im KYR",
                                   "No valid data in KYR"};
inline constexpr Text3 UploadNotSupported{
    "Připojený terminál nepodporuje načtení programu",
    "Das angeschlossene Terminal unterstützt das Hochladen nicht",
    "The connected terminal doesn't support uploading"};
inline constexpr Text3 ProtocolMissing{
    "Firmware terminálu neobsahuje požadovaný komunikační protokol",
    "Die Firmware des Terminals enthält das erforderliche Kommunikationsprotokoll nicht",
    "The terminal's firmware doesn't contain required communication protocol"};

// --- screens ---------------------------------------------------------------------------------
// Followed by the number.
inline constexpr Text3 BadScreenNumber{"Chybné číslo obrazovky ", "Falsche Bildschirmnummer ",
                                       "Bad screen number "};
inline constexpr Text3 NoSpaceForScreen{"V paměti KYR není místo pro novou obrazovku",
                                        "Kein Platz im KYR-Speicher für einen neuen Bildschirm",
                                        "No space in KYR memory for new screen"};
// After a space and the number.
inline constexpr Text3 ScreenExists{": Obrazovka s tímto číslem již existuje",
                                    ": Ein Bildschirm mit dieser Nummer existiert bereits",
                                    ": Screen with this number already exists"};
// "Screen " number " has bad format" and the like.
inline constexpr Text3 ScreenWord{"Obrazovka ", "Bildschirm ", "Screen "};
inline constexpr Text3 HasBadFormat{" má chybný formát", " hat ein falsches Format",
                                    " has bad format"};
inline constexpr Text3 HasUnknownFormat{" má neznámý formát", " hat ein unbekanntes Format",
                                        " has unknown format"};
inline constexpr Text3 UnknownCloseError{"????", "????", "????"};

// --- verify ----------------------------------------------------------------------------------
inline constexpr Text3 SetupDifferent{"Nastavení se liší", "Einstellungen sind unterschiedlich",
                                      "Setup is different"};
inline constexpr Text3 ControlTableDifferent{"Řídicí tabulka se liší",
                                             "Steuertabelle ist unterschiedlich",
                                             "Control Table is different"};
inline constexpr Text3 ExdListDifferent{"Seznam tabulek EXD se liší",
                                        "Liste der EXD-Tabellen ist unterschiedlich",
                                        "EXD Tables list is different"};
// "EXD Table " number " is different".
inline constexpr Text3 ExdTableWord{"Tabulka EXD ", "EXD-Tabelle ", "EXD Table "};
inline constexpr Text3 IsDifferent{" se liší", " ist unterschiedlich", " is different"};
inline constexpr Text3 ScreenListDifferent{"Seznam obrazovek se liší",
                                           "Bildschirmliste ist unterschiedlich",
                                           "Screen list is different"};
inline constexpr Text3 ProgramIdentical{"Program v KYR je shodný.",
                                        "Das Programm im KYR ist identisch.",
                                        "Program in KYR is identical."};
inline constexpr Text3 ProgramNotIdentical{"Program v KYR není shodný.",
                                           "Das Programm im KYR ist nicht identisch.",
                                           "Program in KYR is not identical."};

// --- results ---------------------------------------------------------------------------------
inline constexpr Text3 PartialBadNumber{
    "Chybné číslo obrazovky - program byl přenesen jen částečně",
    "Falsche Bildschirmnummer - Programm wurde nur teilweise übertragen",
    "Bad screen number - program was transferred only partially"};
inline constexpr Text3 PartialBadCharset{
    "Chybná znaková sada - program byl přenesen jen částečně",
    "Falscher Zeichensatz - Programm wurde nur teilweise übertragen",
    "Bad character set - program was transferred only partially"};
inline constexpr Text3 PartialUnknownFormat{
    "Neznámý formát - program byl přenesen jen částečně",
    "Unbekanntes Format - Programm wurde nur teilweise übertragen",
    "Unknown format - program was transferred only partially"};
inline constexpr Text3 PartialErrors{"Program byl kvůli chybám přenesen jen částečně",
                                     "Programm wurde wegen Fehlern nur teilweise übertragen",
                                     "Program was transferred only partially due to errors"};
inline constexpr Text3 TransferSuccess{"Program byl úspěšně přenesen.",
                                       "Programm wurde erfolgreich übertragen.",
                                       "Program was successfully transferred."};
// "Occupied " used " bytes, i.e. " percentage " % of useable memory."
inline constexpr Text3 Occupied{"Obsazeno ", "Belegt: ", "Occupied "};
inline constexpr Text3 BytesIe{" bajtů, tj. ", " Bytes, d. h. ", " bytes, i.e. "};
inline constexpr Text3 PercentOfMemory{" % použitelné paměti.", " % des nutzbaren Speichers.",
                                       " % of useable memory."};

}  // namespace kyr::texts
