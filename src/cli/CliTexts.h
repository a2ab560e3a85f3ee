#pragma once

#include "model/Texts.h"

namespace kyr::cli::texts {

using kyr::Text3;

// %1 ... are filled in by FillIn.
inline constexpr Text3 UnknownCommand{"Neznámý příkaz „%1“.", "Unbekannter Befehl „%1“.",
                                      "Unknown command \"%1\"."};
inline constexpr Text3 UnknownOption{"Neznámý přepínač „%1“.", "Unbekannte Option „%1“.",
                                     "Unknown option \"%1\"."};
inline constexpr Text3 NoCommand{"Chybí příkaz.", "Es fehlt ein Befehl.", "No command given."};
inline constexpr Text3 BadLanguage{"--language očekává cs, de nebo en.",
                                   "--language erwartet cs, de oder en.",
                                   "--language expects cs, de or en."};
inline constexpr Text3 WrongArguments{"Chybné argumenty příkazu %1; použití: %2",
                                      "Falsche Argumente für den Befehl %1; Aufruf: %2",
                                      "Wrong arguments for the command %1; usage: %2"};
inline constexpr Text3 BadType{"--type očekává typ terminálu 0 až 9.",
                               "--type erwartet einen Terminaltyp von 0 bis 9.",
                               "--type expects a terminal type 0 to 9."};
inline constexpr Text3 SeeHelp{"Nápověda: kyr2cli --help", "Hilfe: kyr2cli --help",
                               "See kyr2cli --help"};

inline constexpr Text3 HelpIntro{
    "Použití: kyr2cli [--language cs|de|en] [--yes] [--system] PŘÍKAZ ARGUMENTY\n"
    "  --language  jazyk hlášení (výchozí en)\n"
    "  --yes       na otázky odpovídat Ano (jinak Ne)\n"
    "  --system    systémový režim\n"
    "Každé hlášení je jeden řádek na standardním chybovém výstupu.\n"
    "Návratový kód: 0 hotovo, 1 selhalo nebo odmítnuto, 2 chybný příkazový řádek,\n"
    "3 jen částečný výsledek (některé položky byly vynechány).\n"
    "Příkazy:\n",
    "Aufruf: kyr2cli [--language cs|de|en] [--yes] [--system] BEFEHL ARGUMENTE\n"
    "  --language  Sprache der Meldungen (Vorgabe en)\n"
    "  --yes       Fragen mit Ja beantworten (sonst Nein)\n"
    "  --system    Systemmodus\n"
    "Jede Meldung ist eine Zeile auf der Standardfehlerausgabe.\n"
    "Rückgabewert: 0 fertig, 1 fehlgeschlagen oder abgelehnt, 2 falsche Befehlszeile,\n"
    "3 nur teilweises Ergebnis (einzelne Einträge wurden verworfen).\n"
    "Befehle:\n",
    "Usage: kyr2cli [--language cs|de|en] [--yes] [--system] COMMAND ARGS\n"
    "  --language  language of the messages (default en)\n"
    "  --yes       answer questions Yes (otherwise No)\n"
    "  --system    system mode\n"
    "Every message is one line on standard error.\n"
    "Exit status: 0 done, 1 failed or refused, 2 bad command line,\n"
    "3 partial result (some items were dropped).\n"
    "Commands:\n"};

}  // namespace kyr::cli::texts
