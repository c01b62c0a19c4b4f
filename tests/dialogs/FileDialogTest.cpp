// File dialogs on a prepared folder: the listing's order, filters and hidden
// names, clicks and double-clicks, typed names, the save dialog's overwrite
// warning, and every file-system failure ending as a message line.

#include "common/GuiTestFixture.h"
#include "controls/GuiButton.h"
#include "controls/GuiLabel.h"
#include "core/SyntheticEvent.h"
#include "dialogs/GuiOpenFileDialog.h"
#include "dialogs/GuiSaveFileDialog.h"
#include "lists/GuiComboBox.h"
#include "lists/GuiListCtrl.h"
#include "support/TempDir.h"
#include "text/GuiTextCtrl.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr SDL_Color kDialogColour{200, 200, 200, 255};

void makeFile(const std::string& path) { TempDir::write(path, "x"); }

}  // namespace

class FileDialog : public GuiTest {
protected:
    void SetUp() override {
        start(640, 480);
        // Real names, so every path the dialog builds can be compared.
        folder = fs::canonical(dir.path()).native();
    }

    template <class Dialog, class... Args>
    Dialog* open(Args... args) {
        AppWindow* aw = engine->createDialogWindow(
            "Datei", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 480, 420, SDL_WINDOW_SHOWN, kDialogColour,
            [&](AppWindow* a, int w, int h, SDL_Color c) -> GuiDialog* {
                return new Dialog(a, -1, 0, 0, w, h, c, args...);
            });
        if (!aw) return nullptr;
        auto* dlg = static_cast<Dialog*>(aw->root);
        engine->setModal(dlg);
        return dlg;
    }
    GuiOpenFileDialog* openAt(const std::string& start, std::vector<std::string> filters = {}) {
        return open<GuiOpenFileDialog>(start, filters);
    }
    GuiSaveFileDialog* saveAt(const std::string& start, const std::string& name = "") {
        return open<GuiSaveFileDialog>(start, std::vector<std::string>{}, name);
    }

    static std::vector<std::string> rows(GuiFileDialog* d) {
        std::vector<std::string> out;
        for (const ListItem& item : d->fileList->items) out.push_back(item.text);
        return out;
    }
    int rowOf(GuiFileDialog* d, const std::string& text) {
        const std::vector<std::string> all = rows(d);
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i] == text) return int(i);
        ADD_FAILURE() << "no row " << text;
        return -1;
    }
    // A press and release on a row; clicks is SDL's click count.
    void clickRow(GuiFileDialog* d, int row, int clicks = 1) {
        GuiListCtrl* list = d->fileList;
        list->updateBars();
        const int x = list->x + 30, y = list->y + row * list->rowHeight + list->rowHeight / 2 - list->scrollY;
        const uint32_t id = d->appWindow->id;
        dispatch(SyntheticEvent::button(SDL_MOUSEBUTTONDOWN, id, x, y, SDL_BUTTON_LEFT, uint8_t(clicks)));
        dispatch(SyntheticEvent::button(SDL_MOUSEBUTTONUP, id, x, y, SDL_BUTTON_LEFT, uint8_t(clicks)));
    }
    void clickOk(GuiFileDialog* d) {
        GuiButton* ok = d->okButton;
        const uint32_t id = d->appWindow->id;
        dispatch(SyntheticEvent::button(SDL_MOUSEBUTTONDOWN, id, ok->x + 50, ok->y + 12));
        dispatch(SyntheticEvent::button(SDL_MOUSEBUTTONUP, id, ok->x + 50, ok->y + 12));
    }
    void pressReturn(GuiFileDialog* d) { dispatch(key(SDLK_RETURN, 0, SDL_KEYDOWN, d->appWindow->id)); }
    std::vector<int> closedResults() const {
        std::vector<int> out;
        for (const auto& c : engine->commands)
            if (c.id == CmdModalClosed) out.push_back(c.value);
        return out;
    }

    TempDir dir;
    std::string folder;
};

TEST_F(FileDialog, ListsDirectoriesThenFilesInByteOrderWithoutHiddenNames) {
    for (const char* d : {"b", "A", "a", ".versteckt"}) fs::create_directory(folder + "/" + d);
    for (const char* f : {"z.txt", "B.txt", "Bild.PNG", "archiv.png.bak", ".geheim.png", "ohne", "x.png"})
        makeFile(folder + "/" + f);

    struct Case {
        std::vector<std::string> filters;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{}, {"[..]", "[A]", "[a]", "[b]", "B.txt", "Bild.PNG", "archiv.png.bak", "ohne", "x.png", "z.txt"}},
        {{".png"}, {"[..]", "[A]", "[a]", "[b]", "Bild.PNG", "x.png"}},
        {{".txt", ".bak"}, {"[..]", "[A]", "[a]", "[b]", "B.txt", "archiv.png.bak", "z.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.filters));
        GuiOpenFileDialog* d = openAt(folder, c.filters);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(rows(d), c.expected);
        EXPECT_EQ(d->entries.size(), c.expected.size());
        EXPECT_EQ(d->pathLabel->text, folder);
        EXPECT_EQ(d->message(), "");
        d->cancel();
    }
}

TEST_F(FileDialog, FilterComparesTheLastExtensionWithoutCase) {
    struct Case {
        const char* name;
        std::vector<std::string> filters;
        bool passes;
    };
    const Case cases[] = {
        {"Bild.PNG", {".png"}, true},   {"bild.png", {".PNG"}, true},     {"archiv.png.bak", {".png"}, false},
        {"ohne", {".png"}, false},      {"ohne", {}, true},               {"x.pn", {".png"}, false},
        {"x.pngx", {".png"}, false},    {"punkt.", {"."}, true},          {"a.jpg", {".png", ".jpg"}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GuiFileDialog::passesFilter(c.name, c.filters), c.passes) << c.name;
}

TEST_F(FileDialog, TheRootHasNoParentRowAndTheSelectorOffersIt) {
    GuiOpenFileDialog* d = openAt("/");
    ASSERT_NE(d, nullptr);
    ASSERT_FALSE(d->entries.empty());
    EXPECT_NE(d->entries.front().name, "..");
    ASSERT_FALSE(d->driveSelector->items.empty());
    EXPECT_EQ(d->driveSelector->items.front().text, "/");
    EXPECT_EQ(d->driveSelector->selectedText(), "/");
}

TEST_F(FileDialog, ChoosingARootInTheSelectorChangesThere) {
    GuiOpenFileDialog* d = openAt(folder);
    ASSERT_NE(d, nullptr);
    d->driveSelector->setSelection(0, true);  // what a choice in the drop-down posts
    EXPECT_EQ(d->currentDirectory, "/");
    EXPECT_EQ(d->pathLabel->text, "/");
}

TEST_F(FileDialog, ASingleClickFillsTheNameOnlyADoubleClickByClickCountAccepts) {
    makeFile(folder + "/eins.txt");
    makeFile(folder + "/zwei.txt");
    GuiOpenFileDialog* d = openAt(folder);
    ASSERT_NE(d, nullptr);
    const int row = rowOf(d, "zwei.txt");

    clickRow(d, row);
    EXPECT_EQ(d->fileName(), "zwei.txt");
    clickRow(d, row);  // twice, but SDL counts each as a first click
    EXPECT_TRUE(closedResults().empty());
    EXPECT_EQ(engine->modal(), d);

    clickRow(d, rowOf(d, "eins.txt"));
    clickRow(d, row, 2);  // a double-click count, but on another row than the last
    EXPECT_TRUE(closedResults().empty());
    EXPECT_EQ(d->fileName(), "zwei.txt");

    clickRow(d, row, 2);
    EXPECT_EQ(closedResults(), std::vector<int>{1});
    EXPECT_TRUE(d->isAccepted());
    EXPECT_EQ(d->getSelectedPath(), folder + "/zwei.txt");
    EXPECT_EQ(engine->modal(), nullptr);
}

TEST_F(FileDialog, DoubleClickOnADirectoryEntersItAndTheParentRowLeavesIt) {
    fs::create_directories(folder + "/unter/tiefer");
    GuiOpenFileDialog* d = openAt(folder);
    ASSERT_NE(d, nullptr);
    d->setFileName("vorher");

    int row = rowOf(d, "[unter]");
    clickRow(d, row);
    EXPECT_EQ(d->fileName(), "vorher") << "a directory does not fill the name";
    clickRow(d, row, 2);
    EXPECT_EQ(d->currentDirectory, folder + "/unter");
    EXPECT_EQ(rows(d), (std::vector<std::string>{"[..]", "[tiefer]"}));
    EXPECT_EQ(d->fileName(), "");

    // A third press of a fast triple-click lands on the new listing: it is a
    // first click there, not a double-click on whatever row it hits.
    clickRow(d, 1, 3);
    EXPECT_EQ(d->currentDirectory, folder + "/unter");

    clickRow(d, 0);
    clickRow(d, 0, 2);
    EXPECT_EQ(d->currentDirectory, folder);
    EXPECT_TRUE(closedResults().empty());
}

TEST_F(FileDialog, TypedNamesAreJoinedToTheFolderOrUsedAsGiven) {
    fs::create_directory(folder + "/ordner");
    makeFile(folder + "/da.txt");
    makeFile(folder + "/ordner/drin.txt");

    struct Case {
        std::string typed;
        std::string message;   // expected message when the dialog stays open
        std::string selected;  // expected path when it accepts
        std::string directory; // where the dialog is afterwards
    };
    const std::vector<Case> cases = {
        {"da.txt", "", folder + "/da.txt", folder},
        {"ordner/drin.txt", "", folder + "/ordner/drin.txt", folder},
        {folder + "/ordner/drin.txt", "", folder + "/ordner/drin.txt", folder},
        {"ordner", "", "", folder + "/ordner"},
        {"fehlt.txt", "Datei nicht gefunden.", "", folder},
        {"", "Bitte eine Datei auswählen.", "", folder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        GuiOpenFileDialog* d = openAt(folder);
        ASSERT_NE(d, nullptr);
        d->setFileName(c.typed);
        pressReturn(d);
        EXPECT_EQ(d->isAccepted(), !c.selected.empty());
        EXPECT_EQ(d->getSelectedPath(), c.selected);
        EXPECT_EQ(d->message(), c.message);
        EXPECT_EQ(d->currentDirectory, c.directory);
        if (engine->modal() == d) d->cancel();
    }
}

TEST_F(FileDialog, SaveWarnsBeforeOverwritingAndAcceptsTheSecondOk) {
    fs::create_directory(folder + "/ordner");
    makeFile(folder + "/alt.txt");
    const std::string warning = "Datei existiert bereits - nochmal auf \"Speichern\" klicken zum Überschreiben.";

    GuiSaveFileDialog* d = saveAt(folder, "alt.txt");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->okButton->label, "Speichern");
    EXPECT_EQ(d->fileName(), "alt.txt");
    clickOk(d);
    EXPECT_EQ(d->message(), warning);
    EXPECT_TRUE(closedResults().empty());

    // The warning survives other actions; a directory or an empty name
    // clears it, so the next OK on the file warns again.
    d->setFileName("ordner");
    clickOk(d);
    EXPECT_EQ(d->message(), "Das ist ein Ordner, kein Dateiname.");
    d->setFileName("alt.txt");
    clickOk(d);
    EXPECT_EQ(d->message(), warning);
    d->setFileName("");
    clickOk(d);
    EXPECT_EQ(d->message(), "Bitte einen Dateinamen eingeben.");
    d->setFileName("alt.txt");
    clickOk(d);
    EXPECT_TRUE(closedResults().empty());
    clickOk(d);
    EXPECT_EQ(closedResults(), std::vector<int>{1});
    EXPECT_EQ(d->getSelectedPath(), folder + "/alt.txt");

    GuiSaveFileDialog* fresh = saveAt(folder, "neu.txt");
    ASSERT_NE(fresh, nullptr);
    clickOk(fresh);
    EXPECT_TRUE(fresh->isAccepted());
    EXPECT_EQ(fresh->getSelectedPath(), folder + "/neu.txt");
}

TEST_F(FileDialog, EscapeAndTheCancelButtonCancel) {
    GuiSaveFileDialog* d = saveAt(folder, "x.txt");
    ASSERT_NE(d, nullptr);
    dispatch(key(SDLK_ESCAPE, 0, SDL_KEYDOWN, d->appWindow->id));
    EXPECT_EQ(closedResults(), std::vector<int>{2});
    EXPECT_FALSE(d->isAccepted());
    EXPECT_EQ(d->getSelectedPath(), "");

    GuiOpenFileDialog* o = openAt(folder);
    ASSERT_NE(o, nullptr);
    GuiButton* cancel = o->cancelButton;
    dispatch(SyntheticEvent::button(SDL_MOUSEBUTTONDOWN, o->appWindow->id, cancel->x + 5, cancel->y + 5));
    dispatch(SyntheticEvent::button(SDL_MOUSEBUTTONUP, o->appWindow->id, cancel->x + 5, cancel->y + 5));
    EXPECT_EQ(closedResults(), (std::vector<int>{2, 2}));
}

// ---------------------------------------------------------------------------
// A real file system

TEST_F(FileDialog, BrokenLinksAndLinkLoopsAreLeftOutOfTheListing) {
    makeFile(folder + "/echt.txt");
    fs::create_symlink(folder + "/gibtsnicht", folder + "/kaputt");
    fs::create_symlink(folder + "/schleife2", folder + "/schleife1");
    fs::create_symlink(folder + "/schleife1", folder + "/schleife2");
    fs::create_symlink(folder + "/echt.txt", folder + "/verweis.txt");

    GuiOpenFileDialog* d = openAt(folder);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(rows(d), (std::vector<std::string>{"[..]", "echt.txt", "verweis.txt"}));
    EXPECT_EQ(d->message(), "");

    for (const char* typed : {"kaputt", "schleife1"}) {
        d->setFileName(typed);
        pressReturn(d);
        EXPECT_EQ(d->message(), "Datei nicht gefunden.") << typed;
        EXPECT_EQ(engine->modal(), d);
    }
}

TEST_F(FileDialog, ANameThatIsNotUtf8IsShownReadableAndReturnedByteExact) {
    const std::string raw = "caf\xE9-\xFF.txt";
    makeFile(folder + "/" + raw);
    GuiOpenFileDialog* d = openAt(folder);
    ASSERT_NE(d, nullptr);
    const std::string shown = "caf\xEF\xBF\xBD-\xEF\xBF\xBD.txt";
    const int row = rowOf(d, shown);
    ASSERT_GE(row, 0);

    clickRow(d, row);
    EXPECT_EQ(d->fileName(), shown);
    clickOk(d);
    EXPECT_TRUE(d->isAccepted());
    EXPECT_EQ(d->getSelectedPath(), folder + "/" + raw);
    EXPECT_TRUE(fs::exists(d->getSelectedPath()));
}

TEST_F(FileDialog, AFileDeletedAfterListingStaysUnchosenWithAMessage) {
    makeFile(folder + "/weg.txt");
    GuiOpenFileDialog* d = openAt(folder);
    ASSERT_NE(d, nullptr);
    clickRow(d, rowOf(d, "weg.txt"));
    fs::remove(folder + "/weg.txt");
    clickOk(d);
    EXPECT_EQ(d->message(), "Datei nicht gefunden.");
    EXPECT_FALSE(d->isAccepted());
    EXPECT_EQ(engine->modal(), d);
}

TEST_F(FileDialog, AMissingStartFolderSaysSoAndCanBeLeft) {
    const std::string missing = folder + "/fehlt/auch";
    GuiOpenFileDialog* d = openAt(missing);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->message(), "Verzeichnis kann nicht gelesen werden: " + missing);
    EXPECT_EQ(rows(d), std::vector<std::string>{"[..]"});

    // Up leads to the nearest folder that exists.
    clickRow(d, 0);
    clickRow(d, 0, 2);
    EXPECT_EQ(d->currentDirectory, folder);
    EXPECT_EQ(d->message(), "");

    d->changeDirectory(folder + "/nirgends");
    EXPECT_EQ(d->message(), "Verzeichnis nicht gefunden: " + folder + "/nirgends");
    EXPECT_EQ(d->currentDirectory, folder) << "an unknown folder keeps the previous one";
}

TEST_F(FileDialog, AnEmptyStartFolderIsTheWorkingDirectory) {
    GuiOpenFileDialog* d = openAt("");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->currentDirectory, fs::current_path().native());
    EXPECT_EQ(d->message(), "");
}

TEST_F(FileDialog, AFolderThatVanishedLeavesOnlyTheWayUp) {
    // The folder vanishes under the open dialog: listing it again fails.
    fs::create_directory(folder + "/fluechtig");
    GuiOpenFileDialog* d = openAt(folder + "/fluechtig");
    ASSERT_NE(d, nullptr);
    fs::remove(folder + "/fluechtig");
    d->reload();
    EXPECT_EQ(d->message(), "Verzeichnis kann nicht gelesen werden: " + folder + "/fluechtig");
    EXPECT_EQ(rows(d), std::vector<std::string>{"[..]"});
}

TEST_F(FileDialog, AFolderWithoutReadPermissionLeavesOnlyTheWayUp) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    GuiOpenFileDialog* d = openAt(folder);
    ASSERT_NE(d, nullptr);
    fs::create_directory(folder + "/gesperrt");
    makeFile(folder + "/gesperrt/innen.txt");
    chmod((folder + "/gesperrt").c_str(), 0);
    d->changeDirectory(folder + "/gesperrt");
    EXPECT_EQ(d->message(), "Verzeichnis kann nicht gelesen werden: " + folder + "/gesperrt");
    EXPECT_EQ(rows(d), std::vector<std::string>{"[..]"});
    chmod((folder + "/gesperrt").c_str(), 0700);
}
