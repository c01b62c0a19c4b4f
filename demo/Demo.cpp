#include "demo/Demo.h"

#include "controls/GuiButton.h"
#include "controls/GuiLabel.h"
#include "controls/GuiStatusBar.h"
#include "core/AppWindow.h"
#include "core/GuiWindow.h"
#include "core/GuiDialog.h"
#include "dialogs/GuiColorPickerDialog.h"
#include "dialogs/GuiInputDialog.h"
#include "dialogs/GuiMessageBoxDialog.h"
#include "dialogs/GuiOpenFileDialog.h"
#include "dialogs/GuiSaveFileDialog.h"
#include "menus/GuiMenu.h"
#include "menus/GuiMenuBar.h"
#include "text/GuiTextCtrl.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

const SDL_Color kGrey{192, 192, 192, 255};
const SDL_Color kLightGrey{200, 200, 200, 255};
const SDL_Color kField{240, 240, 240, 255};
const SDL_Color kWhite{255, 255, 255, 255};

// The menu bar, in the order of its titles.
struct MenuEntrySpec {
    const char* label;
    int id;
    const char* name;
    bool submenu;
};

struct MenuSpec {
    const char* barTitle;
    const char* title;
    const char* name;
    int width;
    std::vector<MenuEntrySpec> entries;
};

const std::vector<MenuSpec>& menuTable() {
    static const std::vector<MenuSpec> table = {
        {"&Datei", "Datei", "file", 220,
         {
             {"&Neu", 257, "file_new", false},
             {"Ö&ffnen...", 258, "file_open", false},
             {"Zu&letzt verwendet", 0, "file_recent", true},
             {"&Speichern...", 259, "file_save", false},
             {"Beenden", 65534, "file_quit", false},
         }},
        {"&Bearbeiten", "Bearbeiten", "edit", 220,
         {
             {"Rückgängig", 2001, "edit_undo", false},
             {"Wiederholen", 2002, "edit_redo", false},
             {"Erweitert", 0, "edit_advanced", false},
         }},
        {"D&ialoge", "Dialoge", "dialogs", 300,
         {
             {"Datei öffnen... (F7)", 8192, "dlg_open", false},
             {"Datei öffnen, nur .png...", 8193, "dlg_open_png", false},
             {"Datei speichern... (F8)", 8194, "dlg_save", false},
             {"Farbe wählen... (F9)", 8195, "dlg_color", false},
             {"Testdialog... (F3)", 8196, "dlg_test", false},
             {"Meldung: Information, OK", 8197, "dlg_msg_ok", false},
             {"Meldung: Warnung, Enter bricht ab", 8198, "dlg_msg_ok_cancel", false},
             {"Meldung: Frage, Ja/Nein", 8199, "dlg_msg_yes_no", false},
             {"Meldung: Fehler, Ja/Nein/Abbrechen", 8200, "dlg_msg_yes_no_cancel", false},
             {"Meldung: im Vordergrund", 8201, "dlg_msg_on_top", false},
             {"Eingabe...", 8202, "dlg_input", false},
             {"Eingabe, mehrzeilig...", 8203, "dlg_input_multi", false},
         }},
        {"&Hilfe", "Help", "help", 220,
         {
             {"Rückgängig", 2003, "help_undo", false},
             {"Wiederholen", 2004, "help_redo", false},
             {"Erweitert", 0, "help_advanced", false},
         }},
    };
    return table;
}

struct RecentSpec {
    const char* label;
    int id;
    const char* name;
};

constexpr RecentSpec kRecentFiles[] = {
    {"Fidux &1", 1100, "recent1"},
    {"Fidux &2", 1101, "recent2"},
    {"Fidux &3", 1102, "recent3"},
};

std::string withoutMnemonics(std::string label) {
    label.erase(std::remove(label.begin(), label.end(), '&'), label.end());
    return label;
}

const char* dialogResultText(int value) {
    switch (value) {
    case 1: return "OK";
    case 3: return "Ja";
    case 4: return "Nein";
    default: return "Abbrechen";
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Building the main window

GuiWindow* Demo::mainRoot() const { return mainWindow ? mainWindow->root : nullptr; }

void Demo::buildMainWindow() {
    mainWindow = createWindow("GuiEngine", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1900, 960,
                              SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE, kLightGrey);
    buildMenuBar();
    buildEventLog();
    buildColumn1();
    buildColumn2();
    buildColumn3();
    buildColumn4();
    buildStatusBar();
    if (textMulti) mainRoot()->setFocus(textMulti);
}

void Demo::buildMenuBar() {
    menuBar = new GuiMenuBar(nullptr, -1, kGrey, "MenuBar", defaultFont);
    mainRoot()->add(menuBar);
    for (const MenuSpec& spec : menuTable()) {
        auto* menu = new GuiMenu(nullptr, -1, 0, 0, spec.width, 0, kWhite, spec.title, defaultFont);
        menu->name = spec.name;
        for (const MenuEntrySpec& e : spec.entries) {
            GuiMenuEntry::Callback fill = e.submenu ? GuiMenuEntry::Callback(&Demo::fillRecentMenu) : nullptr;
            menu->append(e.id, e.label, e.submenu, fill).name = e.name;
        }
        menuBar->append(spec.barTitle, menu);
    }
}

void Demo::fillRecentMenu(GuiMenu& menu) {
    for (const RecentSpec& r : kRecentFiles) menu.append(r.id, r.label).name = r.name;
}

void Demo::buildEventLog() {
    addSectionHeading(610, 495, 620, "Ereignisse (GuiTextCtrl, schreibgeschützt)");
    log = new GuiTextCtrl(nullptr, -1, 610, 513, 620, 100, kWhite, uiFace,
                          GuiTextCtrl::MultiLine | GuiTextCtrl::ReadOnly);
    log->tooltip = "Was die Controls melden (appendText)";
    log->name = "log";
    mainRoot()->add(log);
}

// The showcase columns fill in as their widgets arrive.
void Demo::buildColumn1() {}
void Demo::buildColumn2() {}

void Demo::buildColumn3() {
    addSectionHeading(610, 35, 620, "Textfelder (GuiTextCtrl)");
    textSingle = new GuiTextCtrl(nullptr, -1, 610, 53, 620, 22, kWhite, uiFace, 0);
    textSingle->setText("Das ist ein Text mit einem\tTab");
    textSingle->tooltip = "Einzeiliges Textfeld";
    textSingle->name = "text";
    mainRoot()->add(textSingle);

    textMulti = new GuiTextCtrl(nullptr, -1, 610, 79, 620, 100, kWhite, uiFace, GuiTextCtrl::MultiLine);
    textMulti->setText(
        "Das ist ein langer Text mit einem Tab\tund einiges Newlines.\nIch hoffe dies funktioniert problemlos!");
    textMulti->tooltip = "Mehrzeiliges Textfeld";
    textMulti->name = "text_multiline";
    mainRoot()->add(textMulti);
}

void Demo::buildColumn4() {}

void Demo::buildStatusBar() {
    statusBar = new GuiStatusBar(nullptr, -1, kField, defaultFont);
    statusBar->tooltip = "Statusleiste";
    statusBar->name = "statusbar";
    statusBar->y = 938;
    statusBar->setWidths({-1, 200});
    statusBar->setText("Bereit", 0);
    statusBar->setText("tarvexkit Demo", 1);
    mainRoot()->add(statusBar);
}

GuiLabel* Demo::addSectionHeading(int x, int y, int w, const std::string& text) {
    auto* label = new GuiLabel(nullptr, -1, x, y, w, 18, kGrey, text, defaultFont, GuiLabel::AlignLeft);
    mainRoot()->add(label);
    return label;
}

// ---------------------------------------------------------------------------
// Event log

void Demo::appendLog(const std::string& line) {
    if (!log) return;
    logLines.push_back(line);
    if (logLines.size() <= LogLimit) {
        log->appendText(logLines.size() == 1 ? line : "\n" + line);
        return;
    }
    while (logLines.size() > LogKeep) logLines.pop_front();
    std::string older;
    for (size_t i = 0; i + 1 < logLines.size(); ++i) {
        if (i) older += '\n';
        older += logLines[i];
    }
    log->setText(older);
    log->appendText((older.empty() ? "" : "\n") + logLines.back());
}

void Demo::logCommand(const GuiEvent& ev) {
    if (modal() || !ev.source) return;
    const std::string label = ev.source->displayName();
    std::string value;
    switch (ev.commandId) {
    case CmdButton: appendLog("Button: " + label); break;
    case CmdMenu: {
        std::string entryText;
        if (auto* menu = dynamic_cast<GuiMenu*>(ev.source))
            if (const GuiMenuEntry* entry = menu->entryById(ev.value)) entryText = withoutMnemonics(entry->text);
        appendLog("Menü: " + entryText);
        break;
    }
    case CmdComboBoxChanged:
    case CmdSliderChanged:
    case CmdTreeListSelected:
        ev.source->getValue(value);
        appendLog(label + " = " + value);
        break;
    default: break;
    }
}

void Demo::logToggles(GuiButton* button) {
    if (!button) return;
    button->listeners.push_back([this, button](GuiButton*, bool on) {
        appendLog(button->displayName() + (on ? ": an" : ": aus"));
    });
}

// ---------------------------------------------------------------------------
// Commands and shortcuts

namespace {

struct MessageBoxSpec {
    int menuId;
    const char* title;
    const char* text;
    uint32_t style;
};

const char* const kQuestion = "Soll die Demo wirklich weiterlaufen?";

constexpr MessageBoxSpec kMessageBoxes[] = {
    {8197, "Meldung", "Eine Meldung mit nur einem Button.", 0x1100},
    {8198, "Bestätigung", "Mit OK bestätigen oder abbrechen. Enter bricht hier ab.", 0x21203},
    {8199, "Frage", kQuestion, 0x180C},
    {8200, "Frage", kQuestion, 0x4140E},
    {8201, "Im Vordergrund", "Diese Meldung bleibt über allen Fenstern, wenn der Fenstermanager das unterstützt.",
     0x3100},
};

const char* const kLongMessage =
    "Das ist nur eine simple MessageBox mit einem sehr langen Text um zu sehen ob die Zeilentrennung gut "
    "funktioniert!\n\nHier geht es weiter!";

struct InputSpec {
    int menuId;
    const char* title;
    const char* prompt;
    const char* initialText;
    uint32_t style;
};

constexpr InputSpec kInputDialogs[] = {
    {8202, "Eingabe", "Neuer Name:", "Rechteck", 0},
    {8203, "Eingabe, mehrzeilig", "Beschriftung (Enter beginnt eine neue Zeile):", "Erste Zeile",
     GuiInputDialog::MultiLine},
};

// The test dialog's menus: the first two of the main window's, in English
// and German as they come.
const std::vector<MenuSpec>& testDialogMenus() {
    static const std::vector<MenuSpec> table = {
        {"&Datei", "Datei", "file", 220,
         {
             {"&New", 257, "file_new", false},
             {"Ö&ffnen...", 258, "file_open", false},
             {"Zu&letzt verwendet", 0, "file_recent", true},
         }},
        {"&Bearbeiten", "Bearbeiten", "edit", 220,
         {
             {"Rückgängig", 2001, "edit_undo", false},
             {"Wiederholen", 2002, "edit_redo", false},
             {"Erweitert", 0, "edit_advanced", false},
         }},
    };
    return table;
}

std::string homeDirectory() {
    const char* home = std::getenv("HOME");
    return home ? home : "";
}

// The log line for the end of a dialog that returns a value: its class, then
// the value when it was accepted, else "abgebrochen". Empty for every other
// dialog.
std::string dialogValueLine(const GuiEvent& ev) {
    GuiObject* source = ev.source;
    if (!source) return "";
    const std::string prefix = std::string(source->className()) + ": ";
    if (auto* file = dynamic_cast<GuiFileDialog*>(source)) {
        if (ev.value == 1 && file->isAccepted() && !file->getSelectedPath().empty())
            return prefix + GuiFileDialog::displayText(file->getSelectedPath());
        return prefix + "abgebrochen";
    }
    if (auto* picker = dynamic_cast<GuiColorPickerDialog*>(source)) {
        if (ev.value == 1 && picker->isAccepted()) return prefix + GuiColorPickerDialog::hexText(picker->getColour());
        return prefix + "abgebrochen";
    }
    if (auto* input = dynamic_cast<GuiInputDialog*>(source)) {
        if (ev.value == 1 && input->isAccepted()) return prefix + input->text();
        return prefix + "abgebrochen";
    }
    return "";
}

}  // namespace

// ---------------------------------------------------------------------------
// Dialog openers

GuiOpenFileDialog* Demo::openFileDialog(const std::vector<std::string>& filters) {
    const std::string start = homeDirectory();
    AppWindow* aw = createDialogWindow("Datei öffnen", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 480, 420,
                                       SDL_WINDOW_SHOWN, kLightGrey,
                                       [&](AppWindow* a, int w, int h, SDL_Color c) -> GuiDialog* {
                                           return new GuiOpenFileDialog(a, -1, 0, 0, w, h, c, start, filters);
                                       });
    if (!aw) return nullptr;
    auto* dlg = static_cast<GuiOpenFileDialog*>(aw->root);
    // Modal before the focus, so the main window's text target is the one
    // given back at the end.
    setModal(dlg);
    dlg->setFocus(dlg->fileNameField);
    return dlg;
}

GuiSaveFileDialog* Demo::openSaveDialog() {
    const std::string start = homeDirectory();
    AppWindow* aw = createDialogWindow("Datei speichern", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 480, 420,
                                       SDL_WINDOW_SHOWN, kLightGrey,
                                       [&](AppWindow* a, int w, int h, SDL_Color c) -> GuiDialog* {
                                           return new GuiSaveFileDialog(a, -1, 0, 0, w, h, c, start, {},
                                                                        "unbenannt.txt");
                                       });
    if (!aw) return nullptr;
    auto* dlg = static_cast<GuiSaveFileDialog*>(aw->root);
    setModal(dlg);
    dlg->setFocus(dlg->fileNameField);
    return dlg;
}

GuiColorPickerDialog* Demo::openColorDialog() {
    AppWindow* aw = createDialogWindow("Farbe wählen", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 320, 310,
                                       SDL_WINDOW_SHOWN, kLightGrey,
                                       [](AppWindow* a, int w, int h, SDL_Color c) -> GuiDialog* {
                                           return new GuiColorPickerDialog(a, -1, 0, 0, w, h, c,
                                                                           SDL_Color{40, 90, 220, 255});
                                       });
    if (!aw) return nullptr;
    auto* dlg = static_cast<GuiColorPickerDialog*>(aw->root);
    setModal(dlg);
    return dlg;
}

GuiDialog* Demo::openTestDialog() {
    AppWindow* aw = createDialogWindow("GuiEngine 2", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                                       SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE, kLightGrey);
    if (!aw) return nullptr;
    auto* dlg = static_cast<GuiDialog*>(aw->root);

    auto* bar = new GuiMenuBar(nullptr, -1, kGrey, "MenuBar", defaultFont);
    dlg->add(bar);
    for (const MenuSpec& spec : testDialogMenus()) {
        auto* menu = new GuiMenu(nullptr, -1, 0, 0, spec.width, 0, kWhite, spec.title, defaultFont);
        menu->name = spec.name;
        for (const MenuEntrySpec& e : spec.entries) {
            GuiMenuEntry::Callback fill = e.submenu ? GuiMenuEntry::Callback(&Demo::fillRecentMenu) : nullptr;
            menu->append(e.id, e.label, e.submenu, fill).name = e.name;
        }
        bar->append(spec.barTitle, menu);
    }

    // Ids 1 and 0: the application's modal rules make them accept and cancel.
    auto* ok = new GuiButton(nullptr, 1, 10, 50, 100, 25, kGrey, "Ok", defaultFont, 0);
    ok->tooltip = "Übernehmen und schließen";
    ok->name = "ok";
    dlg->add(ok);
    auto* cancel = new GuiButton(nullptr, 0, 10, 80, 100, 25, kGrey, "Cancel", defaultFont, 0);
    cancel->tooltip = "Verwerfen und schließen";
    cancel->name = "cancel";
    dlg->add(cancel);
    auto* text = new GuiTextCtrl(nullptr, -1, 10, 220, 1004, 22, kWhite, uiFace, 0);
    text->tooltip = "Textfeld im Testdialog";
    text->name = "text";
    dlg->add(text);

    setModal(dlg);
    dlg->setFocus(text);
    return dlg;
}

// ---------------------------------------------------------------------------
// Launchers

bool Demo::handleMenuCommand(AppWindow*, int itemId) {
    switch (itemId) {
    case 8192: openFileDialog({}); return true;
    case 8193: openFileDialog({".png"}); return true;
    case 8194: openSaveDialog(); return true;
    case 8195: openColorDialog(); return true;
    case 8196: openTestDialog(); return true;
    default: break;
    }
    for (const MessageBoxSpec& box : kMessageBoxes) {
        if (box.menuId != itemId) continue;
        // Where and how large the box is, the box decides.
        GuiMessageBoxDialog::show(box.text, box.title, box.style, -1, -1);
        return true;
    }
    for (const InputSpec& input : kInputDialogs) {
        if (input.menuId != itemId) continue;
        GuiInputDialog::show(input.prompt, input.title, input.initialText, input.style);
        return true;
    }
    return false;
}

bool Demo::handleShortcut(const SDL_Keysym& key) {
    const bool alt = key.mod & KMOD_ALT;
    if (!alt) {
        switch (key.sym) {
        case SDLK_F3: openTestDialog(); return true;
        case SDLK_F4:
            // Centred over the main window, so the position is ignored.
            GuiMessageBoxDialog::show(kLongMessage, "Caption", 0x1000, 200, 800);
            return true;
        case SDLK_F7: openFileDialog({}); return true;
        case SDLK_F8: openSaveDialog(); return true;
        case SDLK_F9: openColorDialog(); return true;
        default: break;
        }
    }
    if (key.sym == SDLK_d && alt && menuBar) return menuBar->openEntryByText("&Datei");
    return false;
}

void Demo::onCommand(AppWindow*, GuiEvent& ev) {
    logCommand(ev);
    if (ev.commandId == CmdModalClosed) {
        const std::string valueLine = dialogValueLine(ev);
        appendLog(valueLine.empty() ? std::string("Dialog: ") + dialogResultText(ev.value) : valueLine);
    }
    if (ev.commandId == CmdButton && ev.value == 5001 && counterLabel) {
        ++clickCounter;
        counterLabel->setValue(std::to_string(clickCounter));
    }
}

bool Demo::onMenuCommand(AppWindow* w, GuiEvent& ev) { return handleMenuCommand(w, ev.value); }

bool Demo::onShortcut(AppWindow* w, const SDL_Keysym& key) { return w == mainWindow && handleShortcut(key); }
