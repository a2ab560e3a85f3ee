#pragma once

#include "model/Texts.h"

// Labels and messages of the desktop program in Czech, German and English. Hints are stored
// as "short|long" (see splitHint).
namespace kyr::apptexts {

inline constexpr Text3 AppTitle{"KYR2", "KYR2", "KYR2"};
inline constexpr Text3 SystemSuffix{"   SYS", "   SYS", "   SYS"};

// Main menu: menus and their items.
inline constexpr Text3 FileMenu{"&Soubor", "&Datei", "&File"};
inline constexpr Text3 FileMenuHint{"Příkazy pro práci se soubory", "Dateibezogene Befehle",
                                    "File related commands"};
inline constexpr Text3 FileNew{"&Nový...", "&Neu...", "&New..."};
inline constexpr Text3 FileNewHint{"Vytvořit nový soubor", "Eine neue Datei erstellen",
                                   "Create a new file"};
inline constexpr Text3 FileOpen{"&Otevřít...", "Ö&ffnen...", "&Open..."};
inline constexpr Text3 FileOpenHint{"Otevřít|Otevřít existující soubor",
                                    "Öffnen|Eine vorhandene Datei öffnen",
                                    "Open|Open an existing file"};
inline constexpr Text3 FileClose{"&Zavřít", "&Schließen", "&Close"};
inline constexpr Text3 FileCloseHint{"Zavřít aktuální soubor", "Aktuelle Datei schließen",
                                     "Close current file"};
inline constexpr Text3 FileSave{"&Uložit", "&Speichern", "&Save"};
inline constexpr Text3 FileSaveHint{"Uložit|Uložit aktuální soubor na disk",
                                    "Speichern|Aktuelle Datei auf den Datenträger speichern",
                                    "Save|Save current file to disk"};
inline constexpr Text3 FileSaveAs{"Uložit &jako...", "Speichern &unter...", "Save &As..."};
inline constexpr Text3 FileSaveAsHint{"Uložit aktuální soubor pod zadaným jménem",
                                      "Aktuelle Datei unter dem angegebenen Namen speichern",
                                      "Save current file under the specified name"};
inline constexpr Text3 FileHex{"Generovat &HEX soubor...", "&HEX-Datei erzeugen...",
                               "Generate &HEX File..."};
inline constexpr Text3 FileHexHint{
    "HEX soubor|Vytvořit soubor pro programování přídavné paměti EPROM terminálů KYR-T240(E) "
    "a KYR-T220",
    "HEX-Datei|Datei für die Programmierung des zusätzlichen EPROM-Speichers der Terminals "
    "KYR-T240(E) und KYR-T220 erzeugen",
    "HEX file|Generate file for programming auxiliary EPROM memory for KYR-T240(E) und KYR-T220 "
    "terminals"};
inline constexpr Text3 FilePrint{"&Tisk...", "&Drucken...", "&Print..."};
inline constexpr Text3 FilePrintHint{"Tisk|Vytisknout aktuální soubor",
                                     "Drucken|Aktuelle Datei drucken", "Print|Print current file"};
inline constexpr Text3 FirmwareM{"Aktualizace fir&mwaru (jen KYR Série M)...",
                                 "Fir&mware-Update (nur KYR Serie M)...",
                                 "Fir&mware update (KYR Series M only)..."};
inline constexpr Text3 FirmwareMHint{"Aktualizace firmwaru KYR Série M",
                                     "Firmware-Update der KYR Serie M",
                                     "Firmware update of KYR Series M"};
inline constexpr Text3 FirmwareLum{"Aktualizace firm&waru (jen LUM Série)...",
                                   "Firm&ware-Update (nur LUM Serie)...",
                                   "Firm&ware update (LUM Series only)..."};
inline constexpr Text3 FirmwareLumHint{"Aktualizace nebo výměna firmwaru LUM Sigma",
                                       "Update oder Austausch der Firmware von LUM Sigma",
                                       "LUM Sigma firmware update or exchange"};
inline constexpr Text3 RecentFileHint{"Otevřít soubor", "Datei öffnen", "Open file"};
inline constexpr Text3 FileExit{"&Konec", "&Beenden", "E&xit"};
inline constexpr Text3 FileExitHint{"Konec|Ukončit aplikaci", "Beenden|Die Anwendung beenden",
                                    "Exit|Exit the application"};

inline constexpr Text3 SettingsMenu{"&Nastavení", "&Einstellungen", "&Settings"};
inline constexpr Text3 SettingsMenuHint{"Nastavení programu", "Programmeinstellungen",
                                        "Program settings"};

inline constexpr Text3 KyrMenu{"KY&R", "KY&R", "KY&R"};
inline constexpr Text3 KyrMenuHint{"Příkazy pro terminál KYR", "Befehle für das KYR-Terminal",
                                   "KYR Terminal related commands"};
inline constexpr Text3 KyrInfo{"&Informace", "&Info", "&Info"};
inline constexpr Text3 KyrInfoHint{"Zobrazit základní vlastnosti terminálu KYR",
                                   "Grundlegende Eigenschaften des KYR-Terminals anzeigen",
                                   "Display basic KYR Terminal characteristics"};
inline constexpr Text3 KyrClock{"&Hodiny", "&Uhr", "&Clock"};
inline constexpr Text3 KyrClockHint{"Zobrazit a nastavit hodiny terminálu KYR",
                                    "Uhr des KYR-Terminals anzeigen und stellen",
                                    "Display and set KYR Terminal clock"};
inline constexpr Text3 KyrUpload{"&Načíst program z KYR", "Programm aus KYR &laden",
                                 "&Upload program from KYR"};
inline constexpr Text3 KyrUploadHint{"Načíst|Načíst program z KYR",
                                     "Laden|Programm aus KYR laden",
                                     "Upload|Upload program from KYR"};
inline constexpr Text3 KyrVerify{"&Porovnat program s KYR", "Programm mit KYR &vergleichen",
                                 "&Verify program with KYR"};
inline constexpr Text3 KyrVerifyHint{
    "Porovnat program|Ověřit shodu programů v PC a v KYR",
    "Programm vergleichen|Gleichheit der Programme im PC und im KYR prüfen",
    "Verify program|Verify equality of programs in PC and KYR"};
inline constexpr Text3 KyrDownload{"&Odeslat program do KYR", "Programm in KYR ü&bertragen",
                                   "&Download program to KYR"};
inline constexpr Text3 KyrDownloadHint{"Odeslat|Odeslat program do KYR",
                                       "Übertragen|Programm in KYR übertragen",
                                       "Download|Download program to KYR"};

inline constexpr Text3 WindowMenu{"&Okno", "&Fenster", "&Window"};
inline constexpr Text3 WindowMenuHint{"Příkazy pro práci s okny", "Fensterbezogene Befehle",
                                      "Window related commands"};
inline constexpr Text3 WindowCascade{"&Kaskáda", "Ü&berlappend", "&Cascade"};
inline constexpr Text3 WindowCascadeHint{"Uspořádat okna přes sebe",
                                         "Fenster überlappend anordnen",
                                         "Arrange windows to overlap"};
inline constexpr Text3 WindowTile{"&Dlaždice", "&Nebeneinander", "&Tile"};
inline constexpr Text3 WindowTileHint{"Uspořádat okna vedle sebe bez překrytí",
                                      "Fenster ohne Überlappung anordnen",
                                      "Arrange windows without overlap"};
inline constexpr Text3 WindowArrange{"&Uspořádat ikony", "&Symbole anordnen", "&Arrange Icons"};
inline constexpr Text3 WindowArrangeHint{
    "Uspořádat ikony oken podél dolního okraje hlavního okna",
    "Fenstersymbole am unteren Rand des Hauptfensters anordnen",
    "Arrange window icons along the bottom of the main window"};
inline constexpr Text3 WindowMinimize{"&Minimalizovat vše", "Alle &minimieren", "&Minimize All"};
inline constexpr Text3 WindowMinimizeHint{"Minimalizovat všechna okna", "Alle Fenster minimieren",
                                          "Minimize all windows"};

inline constexpr Text3 AboutMenu{"&O programu", "Ü&ber", "&About"};
inline constexpr Text3 AboutMenuHint{"Zobrazit informace o tomto programu",
                                     "Informationen über dieses Programm anzeigen",
                                     "Show information about this program"};
inline constexpr Text3 TestLanguage{"TestLanguage", "TestLanguage", "TestLanguage"};

// Edit commands of the project window and the multi-screen view, shared by the tool bar.
inline constexpr Text3 EditMenu{"Úpr&avy", "&Bearbeiten", "&Edit"};
inline constexpr Text3 Cut{"Vyj&mout", "&Ausschneiden", "Cu&t"};
inline constexpr Text3 CutHint{"Vyjmout|Vyjmout do schránky",
                               "Ausschneiden|In die Zwischenablage ausschneiden",
                               "Cut|Cut to clipboard"};
inline constexpr Text3 Copy{"&Kopírovat", "&Kopieren", "&Copy"};
inline constexpr Text3 CopyHint{"Kopírovat|Kopírovat do schránky",
                                "Kopieren|In die Zwischenablage kopieren",
                                "Copy|Copy to clipboard"};
inline constexpr Text3 Paste{"V&ložit", "E&infügen", "&Paste"};
inline constexpr Text3 PasteHint{"Vložit|Vložit ze schránky",
                                 "Einfügen|Aus der Zwischenablage einfügen",
                                 "Paste|Paste from clipboard"};
inline constexpr Text3 InsertScreen{"Vložit &obrazovku", "Bildschirm e&infügen",
                                    "&Insert Screen"};
inline constexpr Text3 InsertScreenHint{"Vložit obrazovku|Vložit novou obrazovku",
                                        "Bildschirm einfügen|Neuen Bildschirm einfügen",
                                        "Insert screen|Insert new screen"};
inline constexpr Text3 DeleteScreen{"&Smazat obrazovku", "Bildschirm &löschen",
                                    "&Delete Screen"};
inline constexpr Text3 DeleteScreenHint{
    "Smazat obrazovku|Smazat vybranou obrazovku",
    "Bildschirm löschen|Ausgewählten Bildschirm löschen",
    "Delete screen|Delete selected screen"};
inline constexpr Text3 InsertExd{"Vložit &EXD tabulku", "&EXD-Tabelle einfügen",
                                 "Insert &EXD Table"};
inline constexpr Text3 InsertExdHint{"Vložit EXD|Vložit novou EXD tabulku",
                                     "EXD einfügen|Neue EXD-Tabelle einfügen",
                                     "Insert EXD|Insert new EXD table"};
inline constexpr Text3 DeleteExd{"Sma&zat EXD tabulku", "EXD-Tabelle lö&schen",
                                 "D&elete EXD Table"};
inline constexpr Text3 DeleteExdHint{"Smazat EXD|Smazat vybranou EXD tabulku",
                                     "EXD löschen|Ausgewählte EXD-Tabelle löschen",
                                     "Delete EXD|Delete selected EXD table"};
inline constexpr Text3 InsertMnumHint{"Vložit MNUM|Vložit číselné pole",
                                      "MNUM einfügen|Zahlenfeld einfügen",
                                      "Insert MNUM|Insert number field"};
inline constexpr Text3 InsertMstrHint{"Vložit MSTR|Vložit textové pole",
                                      "MSTR einfügen|Textfeld einfügen",
                                      "Insert MSTR|Insert text field"};
inline constexpr Text3 InsertSstrHint{"Vložit SSTR|Vložit pole vybraného textu",
                                      "SSTR einfügen|Feld für ausgewählten Text einfügen",
                                      "Insert SSTR|Insert selected text field"};
inline constexpr Text3 InsertButtHint{"Vložit BUTT|Vložit bitové pole",
                                      "BUTT einfügen|Bitfeld einfügen",
                                      "Insert BUTT|Insert bit field"};
inline constexpr Text3 InsertBarHint{"Vložit BAR|Vložit sloupcový graf",
                                     "BAR einfügen|Balkenanzeige einfügen",
                                     "Insert BAR|Insert bargraph field"};

// Dialog buttons.
inline constexpr Text3 Ok{"OK", "OK", "OK"};
inline constexpr Text3 Cancel{"Zrušit", "Abbrechen", "Cancel"};

// Messages of the main window.
inline constexpr Text3 TooManyOpenFiles{"Příliš mnoho otevřených souborů",
                                        "Zu viele offene Dateien", "Too many open files"};
inline constexpr Text3 FileNotFound{" Soubor nebyl nalezen.", " Datei nicht gefunden.",
                                    " File not found."};
inline constexpr Text3 FileAlreadyOpenPrefix{"Soubor ", "Die Datei ", "The file "};
inline constexpr Text3 FileAlreadyOpenSuffix{" je již otevřen a byl změněn.",
                                             " ist bereits geöffnet und wurde geändert.",
                                             " is already open and was changed."};
inline constexpr Text3 NoKyrDataSelected{"Nejsou vybrána žádná data KYR",
                                         "Keine KYR-Daten ausgewählt", "No KYR Data Selected"};
inline constexpr Text3 CannotReadFile{"Nelze přečíst soubor ", "Datei kann nicht gelesen werden: ",
                                      "Cannot read file "};

// About box.
inline constexpr Text3 AboutTitle{"O programu KYR2", "KYR2 Info", "About KYR2"};
inline constexpr Text3 AboutVersion{"Verze ", "Version ", "Version "};
inline constexpr Text3 AboutProduct{"Programovací nástroj pro textové operátorské terminály KYR a LUM",
                                    "Programmierwerkzeug für die Text-Bedienterminals KYR und LUM",
                                    "Programming tool for the KYR and LUM text operator terminals"};

// Settings dialog.
inline constexpr Text3 SettingsTitle{"Nastavení", "Einstellungen", "Settings"};
inline constexpr Text3 CommunicationGroup{"&Komunikace", "&Kommunikation", "&Communication"};
inline constexpr Text3 SerialPort{"Sériový port", "Serielle Schnittstelle", "Serial Port"};
inline constexpr Text3 BinaryLink{"Binární (série KYR)", "Binär (KYR-Serie)",
                                  "Binary (KYR series)"};
inline constexpr Text3 AsciiLink{"ASCII (série LUM)", "ASCII (LUM-Serie)", "ASCII (LUM series)"};
inline constexpr Text3 HexFileGroup{"&HEX soubor", "&HEX-Datei", "&HEX File"};
inline constexpr Text3 HexForFirmware{"HEX pro firmware", "HEX für Firmware", "HEX for Firmware"};
inline constexpr Text3 Firmware217{"2.17 a starší", "2.17 und älter", "2.17 and older"};
inline constexpr Text3 Firmware218{"2.18 a novější", "2.18 und neuer", "2.18 and newer"};
inline constexpr Text3 HexFileSize{"Velikost HEX souboru", "Größe der HEX-Datei", "Hex File Size"};
inline constexpr Text3 LanguageGroup{"Jazyk", "Sprache", "Language"};
inline constexpr Text3 LanguageCzech{"Češtin&a", "Cestin&a", "Cestin&a"};
inline constexpr Text3 LanguageGerman{"&Deutsch", "&Deutsch", "&Deutsch"};
inline constexpr Text3 LanguageEnglish{"&English", "&English", "&English"};

// "New File" dialog.
inline constexpr Text3 NewFileTitle{"Nový soubor", "Neue Datei", "New File"};
inline constexpr Text3 TerminalType{"Typ terminálu", "Terminaltyp", "Terminal Type"};

// File dialog.
inline constexpr Text3 OpenKyrFile{"Otevřít soubor KYR", "KYR-Datei öffnen", "Open KYR File"};
inline constexpr Text3 SaveKyrFile{"Uložit soubor KYR", "KYR-Datei speichern", "Save KYR File"};
inline constexpr Text3 OpenKyrFirmware{"Otevřít firmware KYR", "KYR-Firmware öffnen",
                                       "Open KYR Firmware"};
inline constexpr Text3 OpenLumFirmware{"Otevřít firmware LUM", "LUM-Firmware öffnen",
                                       "Open LUM Firmware"};
inline constexpr Text3 FileNameLabel{"&Jméno souboru", "Datei&name", "File &Name"};
inline constexpr Text3 DescriptionLabel{"&Popis", "&Beschreibung", "&Description"};
inline constexpr Text3 DirectoriesLabel{"Adre&sáře", "&Verzeichnisse", "D&irectories"};
inline constexpr Text3 DrivesLabel{"Jed&notky", "Lauf&werke", "Dri&ves"};
inline constexpr Text3 RecentFilesButton{"Posl&ední soubory", "&Zuletzt geöffnet",
                                         "&Recent Files"};
inline constexpr Text3 NotKyrFile{"Pravděpodobně to není soubor KYR",
                                  "Wahrscheinlich keine KYR-Datei", "Probably not an KYR File"};
inline constexpr Text3 FileOpenError{"Chyba při otevírání souboru", "Fehler beim Öffnen der Datei",
                                     "File Open Error"};
inline constexpr Text3 BadExtension{"Soubor musí mít příponu .KYR nebo .HEX",
                                    "Die Datei muss die Endung .KYR oder .HEX haben",
                                    "File must have the .KYR or .HEX extension"};
inline constexpr Text3 OverwriteQuestion{"Soubor s tímto jménem již existuje: přepsat?",
                                         "Eine Datei mit diesem Namen existiert bereits: "
                                         "überschreiben?",
                                         "File with this name already exists: overwrite?"};


// Project window.
inline constexpr Text3 TabScreens{"&Obrazovky", "&Bildschirme", "&Screens"};
inline constexpr Text3 TabControlTable{"Řídicí ta&bulka", "Steuerta&belle", "Control Ta&ble"};
inline constexpr Text3 TabExdTables{"&EXD tabulky", "&EXD-Tabellen", "&EXD Tables"};
inline constexpr Text3 TabSetup{"Nas&tavení", "&Einstellungen", "S&etup"};
inline constexpr Text3 EditButton{"Upravit", "Bearbeiten", "Edit"};
inline constexpr Text3 FunctionsButton{"Funkce", "Funktionen", "Functions"};
inline constexpr Text3 SortButton{"Seřadit", "Sortieren", "Sort"};
inline constexpr Text3 SetButton{"Nastavit", "Setzen", "Set"};
inline constexpr Text3 ClearButton{"Zrušit", "Löschen", "Clear"};
inline constexpr Text3 DefaultExdTable{"Výchozí EXD tabulka:", "Standard-EXD-Tabelle:",
                                       "Default EXD Table:"};
inline constexpr Text3 NewScreenTitle{"Nová obrazovka", "Neuer Bildschirm", "New Screen"};
inline constexpr Text3 NewExdTitle{"Nová EXD tabulka", "Neue EXD-Tabelle", "New EXD Table"};
inline constexpr Text3 EnterNumber{"Zadejte číslo", "Nummer eingeben", "Enter number"};
inline constexpr Text3 BadNumber{"Chybné číslo; zkuste znovu", "Falsche Nummer; bitte noch einmal",
                                 "Bad number; try again"};
inline constexpr Text3 NumberUsed{"Toto číslo je již použito; zadejte jiné",
                                  "Diese Nummer ist bereits vergeben; bitte eine andere eingeben",
                                  "This number is already used; enter another"};
// Questions built as prefix + project name + " [" + number + "]" + suffix.
inline constexpr Text3 ScreenModifiedPrefix{"Obrazovka ", "Bildschirm ", "Screen "};
inline constexpr Text3 ScreenModifiedSuffix{
    " je změněna; Chcete zrušit všechny změny ?",
    " wurde geändert; Wollen Sie alle Änderungen verwerfen und ihn löschen ?",
    " is modified; Do you want to cancel all changes ?"};
inline constexpr Text3 DeleteScreenPrefix{"Opravdu chcete smazat obrazovku ",
                                          "Wollen Sie wirklich den Bildschirm ",
                                          "Do you really want to delete screen "};
inline constexpr Text3 DeleteItemSuffix{" ?", " löschen ?", " ?"};
inline constexpr Text3 DeleteMarkedScreens{"Opravdu chcete smazat všechny označené obrazovky?",
                                           "Wollen Sie wirklich alle markierten Bildschirme löschen?",
                                           "Do you really want to delete all marked screens?"};
inline constexpr Text3 DeleteExdPrefix{"Opravdu chcete smazat EXD tabulku ",
                                       "Wollen Sie wirklich die EXD-Tabelle ",
                                       "Do you really want to delete EXD Table "};
inline constexpr Text3 DeleteMarkedExd{"Opravdu chcete smazat všechny označené EXD tabulky?",
                                       "Wollen Sie wirklich alle markierten EXD-Tabellen löschen?",
                                       "Do you really want to delete all marked EXD Tables?"};
inline constexpr Text3 ClosePrefix{"Soubor ", "Die Datei ", "The file "};
inline constexpr Text3 CloseSuffix{" byl změněn. Uložit před zavřením?",
                                   " wurde geändert. Vor dem Schließen speichern?",
                                   " was changed. Save before closing?"};

}  // namespace kyr::apptexts
