#include "demo/Demo.h"

#include "containers/GuiNotebook.h"
#include "containers/GuiPanel.h"
#include "containers/GuiScrolledPanel.h"
#include "containers/GuiSplitterWindow.h"
#include "controls/GuiButton.h"
#include "controls/GuiButtonGroup.h"
#include "controls/GuiCairoPanel.h"
#include "controls/GuiCheckBox.h"
#include "controls/GuiGauge.h"
#include "controls/GuiImageButton.h"
#include "controls/GuiImagePanel.h"
#include "controls/GuiLabel.h"
#include "controls/GuiRadioButton.h"
#include "controls/GuiSlider.h"
#include "controls/GuiSpinBox.h"
#include "controls/GuiStatusBar.h"
#include "core/AppWindow.h"
#include "core/GuiBoxSizer.h"
#include "core/GuiGridSizer.h"
#include "core/GuiWindow.h"
#include "lists/GuiComboBox.h"
#include "lists/GuiListCtrl.h"
#include "lists/GuiPropertyGrid.h"
#include "lists/GuiTreeListCtrl.h"
#include "dialogs/GuiMessageBoxDialog.h"
#include "html/GuiHtmlBox.h"
#include "core/GuiDialog.h"
#include "dialogs/GuiColorPickerDialog.h"
#include "dialogs/GuiInputDialog.h"
#include "dialogs/GuiOpenFileDialog.h"
#include "dialogs/GuiSaveFileDialog.h"
#include "menus/GuiMenu.h"
#include "menus/GuiMenuBar.h"
#include "text/GuiPGTextEditor.h"
#include "text/GuiSearchCtrl.h"
#include "text/GuiTextCtrl.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <cstdlib>
#include <vector>

namespace {

const SDL_Color kGrey{192, 192, 192, 255};
const SDL_Color kLightGrey{200, 200, 200, 255};
const SDL_Color kPanelGrey{230, 230, 230, 255};
const SDL_Color kField{240, 240, 240, 255};
const SDL_Color kWhite{255, 255, 255, 255};
const SDL_Color kBlack{0, 0, 0, 255};
const SDL_Color kDarkGrey{150, 150, 150, 255};
const SDL_Color kGreen{80, 180, 80, 255};

// Gives a showcase widget its tooltip and name.
template <class Widget>
Widget* described(Widget* widget, const char* tooltip, const char* name) {
    widget->tooltip = tooltip;
    widget->name = name;
    return widget;
}

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

Demo::Demo() = default;

// The groups go before the windows and their buttons; the buttons' group
// listeners then find the group gone and do nothing.
Demo::~Demo() = default;

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

// Buttons, check and radio boxes, the panel with its sizer, the combo box,
// sliders, spin box, gauges and labels.
void Demo::buildColumn1() {
    GuiWindow* root = mainRoot();
    SDL_Renderer* renderer = mainWindow->renderer;

    addSectionHeading(10, 35, 280, "Buttons");
    root->add(described(new GuiButton(nullptr, 0, 10, 53, 100, 25, kGrey, "Button 1", defaultFont, 0),
                        "Ein einfacher Button", "button1"));
    auto* button2 = described(new GuiButton(nullptr, 0, 10, 82, 100, 25, kGrey, "Button 2", defaultFont,
                                            GuiButton::Toggle),
                              "Toggle-Button (bleibt gedrückt)", "button2");
    root->add(button2);
    root->add(described(new GuiImageButton(nullptr, 0, 130, 53, 50, 50, kGrey, renderer, 0),
                        "Bild-Button (Default-Icon)", "image_button"));
    auto* imageToggle = described(new GuiImageButton(nullptr, 0, 190, 53, 50, 50, kGrey, renderer, GuiButton::Toggle),
                                  "Bild-Toggle-Button", "image_toggle");
    // Without the picture the button shows a bare frame and works all the same.
    if (!imageToggle->loadFromFile(renderer, picturePath()))
        SDL_Log("Bild %s konnte nicht geladen werden", PicturePath);
    root->add(imageToggle);
    root->add(described(new GuiButton(nullptr, 5001, 10, 111, 100, 25, kGrey, "Zähler ++", defaultFont,
                                      GuiButton::Repeat),
                        "Gedrückt halten zum Wiederholen", "counter"));
    counterLabel = described(new GuiLabel(nullptr, -1, 120, 111, 60, 25, kGrey, "0", defaultFont, 0),
                             "Klick-/Wiederholungszähler", "counter_value");
    root->add(counterLabel);

    addSectionHeading(10, 146, 280, "Checkboxen & Radiobuttons");
    auto* check1 = described(new GuiCheckBox(nullptr, 0, 10, 164, 128, 25, kGrey, "Checkbox 1", defaultFont, 0),
                             "Unabhängige Option 1", "checkbox1");
    auto* check2 = described(new GuiCheckBox(nullptr, 0, 10, 193, 128, 25, kGrey, "Checkbox 2", defaultFont, 0),
                             "Unabhängige Option 2", "checkbox2");
    auto* radio1 = described(new GuiRadioButton(nullptr, 0, 140, 164, 100, 25, kGrey, "Radio 1", defaultFont, 0),
                             "Sich gegenseitig ausschließende Option 1", "radio1");
    auto* radio2 = described(new GuiRadioButton(nullptr, 0, 140, 193, 100, 25, kGrey, "Radio 2", defaultFont, 0),
                             "Sich gegenseitig ausschließende Option 2", "radio2");
    for (GuiButton* b : {static_cast<GuiButton*>(check1), static_cast<GuiButton*>(check2),
                         static_cast<GuiButton*>(radio1), static_cast<GuiButton*>(radio2)})
        root->add(b);
    buildSizerPanel();

    addSectionHeading(10, 308, 280, "ComboBox");
    auto* combo = described(new GuiComboBox(nullptr, 100, 10, 326, 280, 24, kField, kBlack, defaultFont, 150),
                            "Klicken zum Aufklappen", "combo");
    for (int i = 0; i < 1000; ++i) combo->addItem(i, "Eintrag " + std::to_string(i));
    combo->addItem(1000, "Eintrag LAST");
    combo->setSelection(0, false);
    root->add(combo);

    addSectionHeading(10, 360, 280, "Slider & SpinBox");
    root->add(described(new GuiSlider(nullptr, 2001, 10, 378, 180, 24, kLightGrey, kDarkGrey, kGreen, 0, 100, 25, 0),
                        "Horizontaler Regler (0-100)", "slider"));
    root->add(described(new GuiSlider(nullptr, 2001, 10, 406, 24, 150, kLightGrey, kDarkGrey, kGreen, 0, 100, 25, 1),
                        "Vertikaler Regler (0-100)", "slider_vertical"));
    root->add(described(new GuiSpinBox(nullptr, 3001, 50, 406, 60, 24, kWhite, kBlack, kBlack, defaultFont, 0, 100,
                                       42, 1),
                        "Wert per Pfeil oder Eingabe ändern", "spinbox"));

    addSectionHeading(10, 566, 280, "Gauges & Labels");
    gaugeHorizontal = described(new GuiGauge(nullptr, 1001, 10, 584, 280, 24, kLightGrey, kGreen, kBlack, defaultFont, 0),
                                "Horizontale Gauge", "gauge");
    gaugeVertical = described(new GuiGauge(nullptr, 1001, 10, 612, 40, 90, kLightGrey, kGreen, kBlack, defaultFont, 1),
                              "Vertikale Gauge", "gauge_vertical");
    root->add(gaugeHorizontal);
    root->add(gaugeVertical);
    root->add(described(new GuiLabel(nullptr, 1002, 70, 612, 120, 25, kGreen, "Testlabel1", defaultFont, 0),
                        "Ein einfaches Label", "label1"));
    root->add(described(new GuiLabel(nullptr, 1003, 70, 641, 120, 25, kGreen, "Testlabel2", defaultFont, 0),
                        "Noch ein Label", "label2"));

    for (GuiButton* b : {button2, static_cast<GuiButton*>(imageToggle), static_cast<GuiButton*>(check1),
                         static_cast<GuiButton*>(check2), static_cast<GuiButton*>(radio1),
                         static_cast<GuiButton*>(radio2)})
        logToggles(b);
    radioGroup = std::make_unique<GuiButtonGroup>();
    radioGroup->add(radio1);
    radioGroup->add(radio2);
    toggleGroup = std::make_unique<GuiButtonGroup>();
    toggleGroup->add(button2);
    toggleGroup->add(imageToggle);
}

// Buttons A, B and C in a row; B takes the panel's spare width.
void Demo::buildSizerPanel() {
    auto* panel = described(new GuiPanel(nullptr, -1, 10, 228, 280, 70, kPanelGrey, "Panel & Sizer", defaultFont),
                            "Ein Panel mit horizontalem Sizer", "panel");
    mainRoot()->add(panel);
    struct Cell {
        const char* label;
        const char* tooltip;
        const char* name;
        int proportion;
    };
    const Cell cells[] = {
        {"A", "Button A auf einem Panel", "panel_a", 0},
        {"B", "Button B (wächst mit dem Sizer)", "panel_b", 1},
        {"C", "Button C auf einem Panel", "panel_c", 0},
    };
    auto* sizer = new GuiBoxSizer(0, 4);
    for (const Cell& c : cells) {
        auto* button = described(new GuiButton(nullptr, 0, 0, 0, 60, 25, kGrey, c.label, defaultFont, 0), c.tooltip,
                                 c.name);
        panel->add(button);
        sizer->add(button, c.proportion, SizerLeft | SizerRight | SizerTop | SizerBottom, 4);
    }
    panel->setSizer(sizer);
}

// The long list, the fruit search, the swinging picture and the scrolled
// panel.
void Demo::buildColumn2() {
    GuiWindow* root = mainRoot();

    addSectionHeading(310, 35, 280, "Liste (GuiListCtrl)");
    auto* list = described(new GuiListCtrl(nullptr, 42, 310, 53, 280, 200, kField, defaultFont), "10001 Einträge",
                           "list");
    for (int i = 0; i < 10000; ++i) list->addItem(i, "Eintrag " + std::to_string(i));
    list->addItem(10000, "Eintrag LAST");
    root->add(list);

    addSectionHeading(310, 263, 280, "Suche (GuiSearchCtrl)");
    search = described(new GuiSearchCtrl(nullptr, 5001, 310, 281, 280, 24, kField, uiFace), "Obstsorte suchen",
                       "search");
    search->onSearch = [this] { searchChanged(); };
    root->add(search);
    searchResults = described(new GuiListCtrl(nullptr, 5002, 310, 309, 280, 130, kWhite, defaultFont),
                              "Suchergebnisse", "search_results");
    const std::vector<std::string>& fruits = fruitNames();
    for (size_t i = 0; i < fruits.size(); ++i) searchResults->addItem(static_cast<int>(i), fruits[i]);
    root->add(searchResults);

    addSectionHeading(310, 449, 280, "Bildanzeige (GuiImagePanel)");
    imagePanel = described(new GuiImagePanel(nullptr, -1, ImageBaseX, 467, 150, 150, kWhite), "pebble_small.png",
                           "image");
    // Without the picture the panel stays empty and still reports clicks.
    imagePanel->loadFromFile(mainWindow->renderer, picturePath());
    root->add(imagePanel);

    addSectionHeading(310, 627, 280, "Scrollbares Panel (GuiScrolledPanel)");
    buildScrolledPanel();
}

// Ten row buttons in a column, taller together than the panel.
void Demo::buildScrolledPanel() {
    auto* panel = described(new GuiScrolledPanel(nullptr, -1, 310, 645, 280, 150, kWhite),
                            "Scrollbarer Bereich mit 10 Einträgen", "scrolled");
    mainRoot()->add(panel);
    auto* sizer = new GuiBoxSizer(1, 4);
    for (int i = 0; i < 10; ++i) {
        const std::string digit = std::to_string(i);
        auto* row = new GuiButton(nullptr, 0, 0, 0, 254, 25, kGrey, "Eintrag " + digit, defaultFont, 0);
        row->tooltip = "Eintrag Nr. " + digit;
        row->name = "row" + digit;
        panel->add(row);
        sizer->add(row, 0, SizerLeft | SizerRight | SizerTop | SizerBottom, 4);
    }
    panel->setSizer(sizer);
}

const std::vector<std::string>& Demo::fruitNames() {
    static const std::vector<std::string> names = {
        "Apfel",    "Banane",   "Birne",     "Erdbeere",    "Himbeere",    "Kirsche",      "Kiwi",
        "Mango",    "Orange",   "Pfirsich",  "Zitrone",     "Ananas",      "Aprikose",     "Brombeere",
        "Heidelbeere", "Honigmelone", "Wassermelone", "Traube", "Feige", "Granatapfel",
    };
    return names;
}

namespace {

// Folds ASCII letters only; bytes of multi-byte characters stay as they are.
std::string foldAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::vector<std::string> Demo::fruitsMatching(const std::string& text) {
    const std::string needle = foldAscii(text);
    std::vector<std::string> found;
    for (const std::string& name : fruitNames())
        if (foldAscii(name).find(needle) != std::string::npos) found.push_back(name);
    return found;
}

void Demo::searchChanged() {
    std::string text;
    if (search) search->getValue(text);
    if (statusBar) statusBar->setText("Suche: " + text, 0);
    if (!searchResults) return;
    searchResults->clear();
    int index = 0;
    for (const std::string& name : fruitsMatching(text)) searchResults->addItem(index++, name);
}

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

    addSectionHeading(610, 189, 620, "Notizbuch (GuiNotebook)");
    buildNotebook();
    addSectionHeading(610, 367, 620, "Geteiltes Fenster (GuiSplitterWindow)");
    buildSplitter();

    // The event log lies between the splitter and the cairo panel.
    addSectionHeading(610, 623, 620, "GuiCairoPanel (Custom Drawing)");
    cairoPanel = described(new GuiCairoPanel(nullptr, -1, 610, 641, 620, 287, kWhite, mainWindow->renderer),
                           "Live-Animation (Cairo)", "cairo");
    // The picture changes with every frame that draws it; nothing else
    // needs an upload.
    cairoPanel->setUploadOnlyWhenDirty(true);
    mainRoot()->add(cairoPanel);
}

void Demo::buildNotebook() {
    auto* book = new GuiNotebook(nullptr, -1, 610, 207, 620, 150, kWhite, defaultFont);
    mainRoot()->add(book);

    GuiPanel* general = book->addPage("Allgemein", "tab_general");
    auto* optionA = described(new GuiCheckBox(nullptr, 0, 10, 10, 160, 25, kWhite, "Option A", defaultFont, 0),
                              "Schaltet Option A um", "option_a");
    auto* optionB = described(new GuiCheckBox(nullptr, 0, 10, 39, 160, 25, kWhite, "Option B", defaultFont, 0),
                              "Schaltet Option B um", "option_b");
    general->add(optionA);
    general->add(optionB);
    logToggles(optionA);
    logToggles(optionB);

    GuiPanel* advanced = book->addPage("Erweitert", "tab_advanced");
    advanced->add(new GuiLabel(nullptr, -1, 10, 10, 200, 25, kWhite, "Grenzwert:", defaultFont, 0));
    advanced->add(described(new GuiSlider(nullptr, 2002, 10, 39, 200, 24, kLightGrey, kDarkGrey, kGreen, 0, 100, 50, 0),
                            "Grenzwert einstellen (0-100)", "threshold"));

    GuiPanel* info = book->addPage("Info", "tab_info");
    auto* infoLabel = new GuiLabel(nullptr, -1, 10, 10, 300, 25, kWhite, "tarvexkit Demo - GuiNotebook-Beispiel",
                                   defaultFont, 0);
    infoLabel->tooltip = "Info-Seite des Notizbuchs";
    info->add(infoLabel);

    GuiPanel* input = book->addPage("Eingabe", "tab_input");
    input->add(new GuiLabel(nullptr, -1, 6, 8, 80, 22, kWhite, "Passwort:", defaultFont, 0));
    auto* password = described(new GuiTextCtrl(nullptr, -1, 90, 8, 240, 22, kField, uiFace, GuiTextCtrl::Password),
                               "Zeigt Punkte, lässt sich nicht kopieren", "password");
    password->setText("wolkig");
    input->add(password);
    auto* wrapped = new GuiTextCtrl(nullptr, -1, 6, 36, 608, std::max(1, input->h - 36), kField, uiFace,
                                    GuiTextCtrl::MultiLine | GuiTextCtrl::WordWrap);
    wrapped->setText(
        "Dieses Textfeld bricht lange Zeilen am Wortende um und braucht deshalb keinen waagrechten Rollbalken. "
        "Ein Wort, das breiter als das Feld ist, wird mitten im Wort getrennt: "
        "Donaudampfschifffahrtsgesellschaftskapitänswitwenrentenversicherungsanstaltsbeamtenausbildungsverordnungs"
        "änderungsgesetz. Tippen Sie hier weiter, um den Umbruch zu sehen.");
    wrapped->tooltip = "Mehrzeilig mit Wortumbruch";
    input->add(wrapped);

    // Six cells in a grid beside two stacked buttons; the grid takes three
    // quarters of the spare width.
    GuiPanel* sizerPage = book->addPage("Sizer", "tab_sizer");
    auto* grid = new GuiGridSizer(2, 3, 4, 4);
    for (int i = 1; i <= 6; ++i) {
        const std::string digit = std::to_string(i);
        auto* cell = new GuiButton(nullptr, 0, 0, 0, 60, 25, kGrey, "Zelle " + digit, defaultFont, 0);
        cell->name = "cell" + digit;
        sizerPage->add(cell);
        grid->add(cell, 0, SizerExpand, 0);
    }
    auto* stack = new GuiBoxSizer(1, 4);
    for (auto [label, name] : {std::pair{"Oben", "stack_top"}, std::pair{"Unten", "stack_bottom"}}) {
        auto* button = new GuiButton(nullptr, 0, 0, 0, 60, 25, kGrey, label, defaultFont, 0);
        button->name = name;
        sizerPage->add(button);
        stack->add(button, 1, SizerExpand, 0);
    }
    auto* row = new GuiBoxSizer(0, 4);
    const int allSides = SizerLeft | SizerRight | SizerTop | SizerBottom;
    row->addSizer(grid, 3, allSides | SizerExpand, 6);
    row->addSizer(stack, 1, allSides | SizerExpand, 6);
    sizerPage->setSizer(row);

    GuiPanel* splitPage = book->addPage("Splitter", "tab_split");
    auto* stacked = new GuiSplitterWindow(nullptr, -1, 0, 0, splitPage->w, splitPage->h, kPanelGrey, 1);
    stacked->name = "splitter_horizontal";
    splitPage->add(stacked);
    auto* top = new GuiButton(nullptr, 0, 10, 8, 100, 25, kGrey, "Oben", defaultFont, 0);
    top->name = "split_top";
    stacked->first->add(top);
    auto* bottom = new GuiButton(nullptr, 0, 10, 8, 100, 25, kGrey, "Unten", defaultFont, 0);
    bottom->name = "split_bottom";
    stacked->second->add(bottom);
}

void Demo::buildSplitter() {
    auto* splitter = new GuiSplitterWindow(nullptr, -1, 610, 385, 620, 100, kPanelGrey, 0);
    splitter->name = "splitter";
    mainRoot()->add(splitter);
    struct Pane {
        GuiPanel* panel;
        const char* label;
        const char* labelTip;
        const char* button;
        const char* buttonTip;
        const char* name;
    };
    const Pane panes[] = {
        {splitter->first, "Linke Seite", "Label in der linken Pane", "Links", "Button in der linken Pane", "left"},
        {splitter->second, "Rechte Seite", "Label in der rechten Pane", "Rechts", "Button in der rechten Pane",
         "right"},
    };
    for (const Pane& p : panes) {
        auto* label = new GuiLabel(nullptr, -1, 10, 10, 200, 25, kPanelGrey, p.label, defaultFont, 0);
        label->tooltip = p.labelTip;
        p.panel->add(label);
        p.panel->add(described(new GuiButton(nullptr, 0, 10, 39, 100, 25, kGrey, p.button, defaultFont, 0),
                               p.buttonTip, p.name));
    }
}

// The explorer-like tree, the property grid and the HTML view.
void Demo::buildColumn4() {
    addSectionHeading(1250, 35, 640, "TreeListCtrl (GuiTreeListCtrl)");
    buildTree();
    addSectionHeading(1250, 323, 640, "PropertyGrid");
    buildPropertyGrid();
    addSectionHeading(1250, 651, 640, "HTML-Anzeige (GuiHtmlBox)");
    buildHtmlSample();
}

void Demo::buildTree() {
    tree = described(new GuiTreeListCtrl(nullptr, 4001, 1250, 53, 640, 260, kField, defaultFont),
                     "Explorer-artige Baumansicht", "tree");
    tree->addColumn("Name", 300);
    tree->addColumn("Typ", 150);
    tree->addColumn("Größe", 120);
    struct Node {
        int id;
        int parentId;  // 0: a top-level node
        const char* name;
        const char* type;
        const char* size;
    };
    // Parents come before their children, so a parent's row is known when a
    // child is added.
    const Node nodes[] = {
        {1, 0, "Dokumente", "Ordner", ""},
        {2, 0, "Bilder", "Ordner", ""},
        {11, 1, "Bericht.docx", "Word-Dokument", "128 KB"},
        {12, 1, "Rechnung.pdf", "PDF-Dokument", "64 KB"},
        {13, 1, "Archiv", "Ordner", ""},
        {131, 13, "alt.docx", "Word-Dokument", "32 KB"},
        {21, 2, "urlaub.png", "PNG-Bild", "2,1 MB"},
        {22, 2, "profil.jpg", "JPEG-Bild", "512 KB"},
        {3, 0, "readme.txt", "Textdatei", "2 KB"},
    };
    std::vector<std::pair<int, int>> rowOfId;  // node id, row index
    for (const Node& n : nodes) {
        int parentRow = -1;
        for (const auto& [id, row] : rowOfId)
            if (id == n.parentId) parentRow = row;
        rowOfId.emplace_back(n.id, tree->addRow(parentRow, n.id, {n.name, n.type, n.size}));
    }
    mainRoot()->add(tree);
}

void Demo::buildPropertyGrid() {
    properties = described(new GuiPropertyGrid(nullptr, -1, 1250, 341, 640, 300, kWhite, defaultFont, uiFace),
                           "Eigenschaften", "properties");
    GuiPGTextEditor::attachTo(*properties);
    properties->addCategory("Shape");
    properties->addString("Name", "KSTATOR");
    properties->addInteger("Width", 120);
    properties->addBool("Show Position", true);
    properties->addChoice("Flow Type", {"None", "Constant", "Pulse"}, 1);
    properties->addString("Dummy", "");
    mainRoot()->add(properties);
}

// ---------------------------------------------------------------------------
// HTML view

namespace {

// A 24 x 24 picture (a sun on a blue tile) as PNG in Base64, made for the
// demo by scripts/make-sample24.cpp.
const char* const kSamplePictureBase64 =
    "iVBORw0KGgoAAAANSUhEUgAAABgAAAAYCAYAAADgdz34AAAABmJLR0QA/wD/AP+gvaeTAAACzUlEQVRIiaWWS0iUURTHf/fO9NQM"
    "jSKLIRrHlLCHA2qJRGqk9IAUUhcuk2jRoiwxcCMolg9aSLSoVkllLQwrmGpmEz3QcigSwbf2UnpJmWU5890WPtD5Zr75orO855z/"
    "7577nXvuJwCSTrbbfNJyHqX2Aiv4PxtX4MGiyrtrU7pF0sl2m0/Il0BMuMzY5Z8AGPm52gxozKq0bdaZnYcVB6hLrweg2H3OTHi0"
    "X8oG68yxmLKllj9mQwFQihxJwJnbIkcpcLiQQjMtJIVGgcOFLXI00BUlA1cyYr1UplygKrVRB/G8T8PzPk0nXpXaSGXKBTJivTq4"
    "NXChuS+XLTG95NndTPiWUt1xdM53sbNIJ3DGeYk8u5uWgT009+WGB2hKUtF+nB++ZSglEUJxaKOHwrj7JEQPANA9Zqe5P4fbg9lo"
    "ysLVnoOc9R5BU7oDQSSWvlC61Xnl1+5sYP+GR0H994Z3UfasNKjwnEZID5Bvd4cUB9i/4RH5dreRhDHgcNwDw2QzMVaAdREfqUuv"
    "Z4mcAqa75WJnEfErh8MCHFFvADiWdIPs9W0A/NYWcfrpKT5MrDGuQCkRFhAuxPAjN+89xdZV3YYCrz4nUvSwLqTfsIKbQfo60G71"
    "5xj6DQEtg1m0DmaG9LcOZdIymGUI0F00mO7/cudllJKUt53gyWgyBQ4Xm2cuWteYnZt9udwZ3k158hWE0EJeNB1gdrbk2d009RxA"
    "KUHrUCatQ8ErkcJP8aa7RFp/UdF+XAfRAQodrrnZUuMtWeA7lnQDWDiTarwlRFgnybO7ef01nuu9+4wBj0ecVHcc5VrvPt1uZvt8"
    "PmB2dnWNxfF4xKmr0AqMM+9NePtjLU09B3SBRqYpGSrnm1TgMSs06V/MpH+xabCA+yKh7HmC8ItnQHS4hH989L/4LL7tAqZ/W/xS"
    "NihFDhBleovB7bsA15TFV9pXu+PdX5A3CVBvs0O5AAAAAElFTkSuQmCC";

std::string htmlSampleDocument(const std::string& picturePath) {
    return "<h1>Überschrift 1</h1>\n<h2>Überschrift 2</h2>\n<h3>Überschrift 3</h3>\n"
           "<p>Etwas <b>fetter</b>, <i>kursiver</i>, <u>unterstrichener</u> und <font color=\"#cc0000\">roter</font>"
           " Text mit einem <a href=\"https://www.example.org/tarvexkit\">Link</a>.<br>"
           "Text mit der Maus markieren, Strg+C kopiert ihn.</p>\n"
           "<ul><li>Erster Punkt</li><li>Zweiter Punkt</li></ul>\n"
           "<ol><li>Schritt eins</li><li>Schritt zwei</li></ol>\n"
           "<table border=\"1\" cellpadding=\"6\"><tr><th>Spalte A</th><th>Spalte B</th></tr>"
           "<tr><td>1</td><td>2</td></tr></table>\n"
           "<p>Bild aus einer Datei:</p><img src=\"" +
           picturePath +
           "\">\n"
           "<p>Bild als Base64 im Text:</p><img src=\"data:image/png;base64," +
           std::string(kSamplePictureBase64) + "\">\n";
}

}  // namespace

std::string Demo::picturePath() {
    // Found like the font: below the working directory, beside the program
    // or installed; unfound, the name itself, which then loads nothing.
    const std::string found = GuiEngine::findDataFile(PicturePath);
    return found.empty() ? std::string(PicturePath) : found;
}

void Demo::buildHtmlSample() {
    htmlView = described(new GuiHtmlBox(nullptr, -1, 1250, 669, 640, 259, kWhite, mainWindow->renderer),
                         "HTML-Subset-Anzeige", "html");
    htmlView->onLinkClicked = [this](const std::string& href) { appendLog("Link: " + href); };
    mainRoot()->add(htmlView);
    htmlView->setHtml(htmlSampleDocument(picturePath()));
}

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
    case CmdTreeListExpanded:
        // The command names the row by its id.
        if (auto* treeList = dynamic_cast<GuiTreeListCtrl*>(ev.source)) {
            for (int i = 0; i < treeList->rowCount(); ++i) {
                const GuiTreeListCtrl::Row* row = treeList->row(i);
                if (row->id != ev.extra) continue;
                const std::string text = row->cells.empty() ? std::string() : row->cells[0];
                appendLog(text + (treeList->isExpanded(i) ? ": aufgeklappt" : ": eingeklappt"));
                break;
            }
        }
        break;
    case CmdPropertyGridChanged:
        // The command names the row by its index.
        if (auto* grid = dynamic_cast<GuiPropertyGrid*>(ev.source))
            if (const GuiPGProperty* p = grid->row(ev.extra)) appendLog(label + "." + p->name + " = " + p->value);
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

void Demo::onFrame(AppWindow* w, uint32_t nowMs) {
    animateGauges();
    // The image and cairo panels live in the main window.
    if (w == mainWindow) animateShowcase(nowMs);
}

// Both gauges show the value, which then counts on and starts again at 0
// after 100.
void Demo::animateGauges() {
    if (gaugeHorizontal) gaugeHorizontal->setValue(gaugeValue);
    if (gaugeVertical) gaugeVertical->setValue(gaugeValue);
    gaugeValue += 1;
    if (gaugeValue > 100) gaugeValue = 0;
}

void Demo::animateShowcase(uint32_t nowMs) {
    const double t = static_cast<uint32_t>(nowMs - loopStartTicks()) / 300.0;
    const double s = std::sin(t);
    if (imagePanel) imagePanel->x = ImageBaseX + static_cast<int>(std::lround(-s * ImageSwing));
    drawCairoPicture(s);
}

// White ground, a red square, the multi-line field's two status lines and a
// translucent blue disc on a line, swinging with s.
void Demo::drawCairoPicture(double s) {
    if (!cairoPanel || !cairoPanel->canDraw()) return;
    cairo_t* cr = cairoPanel->context();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    cairo_paint(cr);
    cairo_restore(cr);

    cairo_set_source_rgba(cr, 1, 0, 0, 1);
    cairo_rectangle(cr, 0, 0, 50, 50);
    cairo_fill(cr);

    if (textMulti) {
        const auto [first, second] = textMulti->debugLines();
        cairo_set_source_rgba(cr, 0, 0, 0, 1);
        cairo_select_font_face(cr, "Monospace", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 15);
        cairo_move_to(cr, 0, 210);
        cairo_show_text(cr, first);
        cairo_move_to(cr, 0, 230);
        cairo_show_text(cr, second);
    }

    const double cx = 300 + 100 * s, cy = 200 - 30 * s * s;
    cairo_set_source_rgba(cr, 0, 0, 1, 0.5);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 40, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 0, 0, 1, 1);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, 300, 30);
    cairo_stroke(cr);
    cairoPanel->markDirty();
}

bool Demo::onMenuCommand(AppWindow* w, GuiEvent& ev) { return handleMenuCommand(w, ev.value); }

bool Demo::onShortcut(AppWindow* w, const SDL_Keysym& key) { return w == mainWindow && handleShortcut(key); }
