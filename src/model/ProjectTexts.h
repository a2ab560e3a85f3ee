#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "model/Texts.h"

namespace kyr {

// Messages of reading and writing project files.
namespace texts {
inline constexpr Text3 WrongFormat{"Datový soubor má chybný formát",
                                   "Die Datendatei hat ein falsches Format",
                                   "Data file has wrong format"};
inline constexpr Text3 UnknownFormat{"Datový soubor má neznámý formát",
                                     "Die Datendatei hat ein unbekanntes Format",
                                     "Data file has unknown format"};
inline constexpr Text3 TooNew{
    "Stará verze programovacího nástroje KYR2; pro otevření tohoto souboru potřebujete "
    "alespoň verzi ",
    "Alte Version des KYR2-Programmierwerkzeugs; zum Öffnen dieser Datei benötigen Sie "
    "mindestens die Version ",
    "Old KYR2 Programming Tool version; for opening this file you need at least version "};
inline constexpr Text3 OlderVersionQuestion{
    "Soubor byl původně vytvořen starší verzí programu; po uložení jej původní verze "
    "nebude moci přečíst. POKRAČOVAT?",
    "Die Datei wurde ursprünglich mit einer älteren Programmversion erstellt; nach dem "
    "Speichern kann die ursprüngliche Version sie nicht mehr lesen. FORTFAHREN?",
    "File was originally created with an older version of program; after Save the original "
    "version will not be able to read it. CONTINUE?"};

inline constexpr Text3 BadCommTableName{
    "Chybný název komunikační tabulky: ", "Falscher Name der Kommunikationstabelle: ",
    "Bad Comm Table Name: "};

// Our own reports where the reader or writer meets the file system or a bad token.
// %1 file name, %2 line number, %3 the token as written.
inline constexpr Text3 NumberExpected{
    "Soubor %1, řádek %2: místo „%3“ je očekáváno celé číslo; soubor nebyl otevřen.",
    "Datei %1, Zeile %2: statt „%3“ wird eine ganze Zahl erwartet; die Datei wurde nicht "
    "geöffnet.",
    "File %1, line %2: an integer was expected instead of \"%3\"; the file was not opened."};
inline constexpr Text3 NumberMissing{
    "Soubor %1, řádek %2: chybí celé číslo; soubor nebyl otevřen.",
    "Datei %1, Zeile %2: eine ganze Zahl fehlt; die Datei wurde nicht geöffnet.",
    "File %1, line %2: an integer is missing; the file was not opened."};
inline constexpr Text3 CannotOpenFile{"Soubor %1 nelze otevřít ani přečíst.",
                                      "Die Datei %1 kann nicht geöffnet oder gelesen werden.",
                                      "The file %1 cannot be opened or read."};
inline constexpr Text3 CannotWriteFile{
    "Soubor %1 nelze zapsat; projekt nebyl uložen a původní soubor zůstal beze změny.",
    "Die Datei %1 kann nicht geschrieben werden; das Projekt wurde nicht gespeichert und die "
    "ursprüngliche Datei ist unverändert.",
    "The file %1 cannot be written; the project was not saved and the original file is "
    "unchanged."};
inline constexpr Text3 CannotReplaceFile{
    "Soubor %1 nelze nahradit novou verzí; projekt nebyl uložen a původní soubor zůstal "
    "beze změny.",
    "Die Datei %1 kann nicht durch die neue Fassung ersetzt werden; das Projekt wurde nicht "
    "gespeichert und die ursprüngliche Datei ist unverändert.",
    "The file %1 cannot be replaced by the new version; the project was not saved and the "
    "original file is unchanged."};
}  // namespace texts

// `pattern` with %1, %2 ... replaced by the arguments in order.
std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace kyr
