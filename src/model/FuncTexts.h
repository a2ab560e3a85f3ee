#pragma once

#include "model/Texts.h"

namespace kyr::functexts {

// Messages of the function check and of the function-line reader.
inline constexpr Text3 TxsNoString{"Funkce TXS neobsahuje žádný řetězec",
                                   "TXS-Funktion enthält keinen String",
                                   "TXS function contains no string"};
inline constexpr Text3 TxsDuplicateNumbers{"Duplicitní čísla řetězců ve funkci TXS",
                                           "Doppelte Stringnummern in TXS-Funktion",
                                           "Duplicate string numbers in TXS function"};
inline constexpr Text3 BadFunctionName{
    "Chybný název funkce: ", "Falscher Funktionsname: ", "Bad function name: "};
inline constexpr Text3 TxsMissingLines{"Chybějící řádky ve funkci TXS",
                                       "Fehlende Zeilen in TXS-Funktion",
                                       "Missing lines in TXS function"};
inline constexpr Text3 TxsBadStringLength{"Chybná délka řetězce ve funkci TXS",
                                          "Falsche Stringlänge in TXS-Funktion",
                                          "Bad string length in TXS function"};
inline constexpr Text3 TxsMissingDefaultLine{"Chybí řádek implicitního řetězce ve funkci TXS",
                                             "Fehlende Zeile des Standardstrings in TXS-Funktion",
                                             "Missing default string line in TXS function"};
inline constexpr Text3 TxsBadDefaultNumber{
    "Chybné číslo řádku implicitního řetězce ve funkci TXS",
    "Falsche Zeilennummer des Standardstrings in TXS-Funktion",
    "Bad default string line number in TXS function"};
inline constexpr Text3 TxsBadDefaultLength{"Chybná délka implicitního řetězce ve funkci TXS",
                                           "Falsche Länge des Standardstrings in TXS-Funktion",
                                           "Bad default string length in TXS function"};
inline constexpr Text3 ButMissingLine{"Chybějící řádek ve funkci BUT",
                                      "Fehlende Zeile in BUT-Funktion",
                                      "Missing line in BUT function"};
inline constexpr Text3 ButEmptyString{"Prázdný řetězec ve funkci BUT",
                                      "Leerer String in BUT-Funktion",
                                      "Empty string in BUT function"};
inline constexpr Text3 OutOfMemory{"Nedostatek paměti", "Nicht genügend Speicher", "Out of Memory"};
// "Error in function " + keyword + " text; bad function will be ignored"
inline constexpr Text3 ErrorInFunction{"Chyba v textu funkce ", "Fehler im Text der Funktion ",
                                       "Error in function "};
inline constexpr Text3 ErrorInFunctionTail{"; chybná funkce bude vynechána",
                                           "; fehlerhafte Funktion wird ignoriert",
                                           " text; bad function will be ignored"};

}  // namespace kyr::functexts
