#include "dialogs/GuiFileDialog.h"

#include "controls/GuiButton.h"
#include "controls/GuiLabel.h"
#include "core/GuiEngine.h"
#include "lists/GuiComboBox.h"
#include "lists/GuiListCtrl.h"
#include "text/GuiTextCtrl.h"
#include "text/Utf8.h"

#include <mntent.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr SDL_Color kSelectorColour{240, 240, 240, 255};
constexpr SDL_Color kBlack{0, 0, 0, 255};
constexpr SDL_Color kWhite{255, 255, 255, 255};
constexpr SDL_Color kMessageColour{200, 0, 0, 255};
constexpr SDL_Color kButtonColour{192, 192, 192, 255};

const char* const kReplacement = "\xEF\xBF\xBD";

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

// True when `dir` is `root` or lies below it.
bool isBelow(const std::string& dir, const std::string& root) {
    if (root == "/") return startsWith(dir, "/");
    return dir == root || startsWith(dir, root + "/");
}

// The directory above `dir` by name alone; "." above a bare relative name.
std::string parentOf(const std::string& dir) {
    fs::path p(dir);
    if (!p.has_filename() && p.has_relative_path()) p = p.parent_path();  // "a/b/" names b
    const fs::path parent = p.parent_path();
    return parent.empty() ? std::string(".") : parent.native();
}

}  // namespace

// ---------------------------------------------------------------------------
// Helpers

std::string GuiFileDialog::displayText(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    size_t pos = 0;
    while (pos < bytes.size()) {
        const Utf8Step step = decodeUtf8(bytes.data() + pos, bytes.size() - pos);
        const size_t len = step.length > 0 ? size_t(step.length) : 1;
        // A well-formed U+FFFD is three bytes long; one byte decoding to it
        // is a malformed one.
        if (step.codepoint == ReplacementChar && len == 1)
            out += kReplacement;
        else
            out.append(bytes, pos, len);
        pos += len;
    }
    return out;
}

bool GuiFileDialog::passesFilter(const std::string& name, const std::vector<std::string>& filters) {
    if (filters.empty()) return true;
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    const std::string ext = name.substr(dot);
    for (const std::string& f : filters) {
        if (f.size() != ext.size()) continue;
        bool same = true;
        for (size_t i = 0; i < ext.size() && same; ++i)
            same = std::tolower(static_cast<unsigned char>(ext[i])) == std::tolower(static_cast<unsigned char>(f[i]));
        if (same) return true;
    }
    return false;
}

std::vector<std::string> GuiFileDialog::fileSystemRoots() {
    std::vector<std::string> roots{"/"};
    // Removable media are what drive letters stand for elsewhere.
    if (FILE* table = setmntent("/proc/self/mounts", "r")) {
        while (const mntent* m = getmntent(table)) {
            const std::string dir = m->mnt_dir ? m->mnt_dir : "";
            if (!startsWith(dir, "/media/") && !startsWith(dir, "/mnt/") && !startsWith(dir, "/run/media/"))
                continue;
            if (std::find(roots.begin(), roots.end(), dir) == roots.end()) roots.push_back(dir);
        }
        endmntent(table);
    }
    return roots;
}

// ---------------------------------------------------------------------------
// Construction

GuiFileDialog::GuiFileDialog(AppWindow* appWindow, int id, int x, int y, int w, int h, SDL_Color colour,
                             const std::string& startDirectory, std::vector<std::string> filterList,
                             const std::string& okLabel)
    : GuiDialog(appWindow, x, y, w, h, colour),
      currentDirectory(startDirectory.empty() ? "." : startDirectory),
      filters(std::move(filterList)) {
    this->id = id;
    std::error_code ec;
    const fs::path canonical = fs::canonical(currentDirectory, ec);
    if (!ec) currentDirectory = canonical.native();

    driveSelector = new GuiComboBox(this, -1, 10, 10, 140, 22, kSelectorColour, kBlack, defaultFont, 150);
    driveSelector->name = "drive";
    add(driveSelector);
    pathLabel = new GuiLabel(this, -1, 158, 10, w - 168, 22, kBlack, "", defaultFont,
                             GuiLabel::AlignLeft | GuiLabel::Elide);
    pathLabel->name = "path";
    add(pathLabel);
    fileList = new GuiListCtrl(this, -1, 10, 40, w - 20, h - 113, kWhite, defaultFont);
    fileList->name = "files";
    add(fileList);
    fileNameField = new GuiTextCtrl(this, -1, 10, h - 65, w - 20, 22, kWhite, uiFace, 0);
    fileNameField->name = "filename";
    add(fileNameField);
    messageLabel = new GuiLabel(this, -1, 10, h - 35, w - 236, 25, kMessageColour, "", defaultFont, 0);
    messageLabel->name = "message";
    add(messageLabel);
    okButton = new GuiButton(this, 1, w - 218, h - 35, 100, 25, kButtonColour, okLabel, defaultFont, 0);
    okButton->name = "ok";
    add(okButton);
    cancelButton = new GuiButton(this, 0, w - 110, h - 35, 100, 25, kButtonColour, "Abbrechen", defaultFont, 0);
    cancelButton->name = "cancel";
    add(cancelButton);

    fillDriveSelector();
    reload();
}

void GuiFileDialog::fillDriveSelector() {
    roots = fileSystemRoots();
    for (size_t i = 0; i < roots.size(); ++i) driveSelector->addItem(int(i), displayText(roots[i]));
    selectRootOfCurrent();
}

// The selector shows the root the current directory lies on: the longest
// one that contains it.
void GuiFileDialog::selectRootOfCurrent() {
    int best = -1;
    size_t bestLength = 0;
    for (size_t i = 0; i < roots.size() && i < driveSelector->items.size(); ++i) {
        if (isBelow(currentDirectory, roots[i]) && roots[i].size() >= bestLength) {
            best = int(i);
            bestLength = roots[i].size();
        }
    }
    if (best >= 0 && best != driveSelector->selected) driveSelector->setSelection(best, false);
}

const char* GuiFileDialog::className() { return "GuiFileDialog"; }

// ---------------------------------------------------------------------------
// Accessors

std::string GuiFileDialog::fileName() const { return fileNameField->getText(); }

void GuiFileDialog::setFileName(const std::string& text) { fileNameField->setText(text); }

std::string GuiFileDialog::message() const { return messageLabel->text; }

void GuiFileDialog::setMessage(const std::string& text) { messageLabel->setValue(text); }

// ---------------------------------------------------------------------------
// Listing

void GuiFileDialog::reload() {
    fileList->clear();
    entries.clear();
    lastClickedRow = -1;  // rows now stand for other entries
    pickedName.clear();
    pickedDisplay.clear();

    const fs::path dir(currentDirectory);
    std::vector<Entry> dirs, files;
    // Even a directory that cannot be read can be left by its ".." row.
    if (dir != dir.root_path()) dirs.push_back(Entry{"..", true});

    std::string failure;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) failure = "Verzeichnis kann nicht gelesen werden: " + displayText(currentDirectory);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        std::string name = entry.path().filename().native();
        if (name.empty() || name[0] == '.') continue;
        // Links are followed; a broken link or a loop has no status and is
        // left out. Other entries bring their type from the listing, so a
        // large folder costs no status call per entry.
        std::error_code statusError;
        const bool isDirectory = entry.is_directory(statusError);
        if (statusError) continue;
        if (isDirectory)
            dirs.push_back(Entry{std::move(name), true});
        else if (passesFilter(name, filters))
            files.push_back(Entry{std::move(name), false});
    }
    if (ec && failure.empty()) failure = "Verzeichnis kann nicht gelesen werden: " + displayText(currentDirectory);

    // std::string compares bytes as unsigned values: byte order.
    auto byName = [](const Entry& a, const Entry& b) { return a.name < b.name; };
    const auto firstNamed = dirs.begin() + ((!dirs.empty() && dirs.front().name == "..") ? 1 : 0);
    std::sort(firstNamed, dirs.end(), byName);
    std::sort(files.begin(), files.end(), byName);

    entries.reserve(dirs.size() + files.size());
    for (Entry& e : dirs) entries.push_back(std::move(e));
    for (Entry& e : files) entries.push_back(std::move(e));
    for (const Entry& e : entries) {
        const std::string shown = displayText(e.name);
        fileList->addItem(-1, e.isDirectory ? "[" + shown + "]" : shown);
    }

    pathLabel->setValue(displayText(currentDirectory));
    setMessage(failure);
    selectRootOfCurrent();
}

void GuiFileDialog::changeDirectory(const std::string& path) {
    std::error_code ec;
    const fs::path canonical = fs::canonical(fs::path(path), ec);
    if (ec) {
        setMessage("Verzeichnis nicht gefunden: " + displayText(path));
        return;
    }
    currentDirectory = canonical.native();
    setFileName("");
    reload();
}

// ---------------------------------------------------------------------------
// Input

void GuiFileDialog::handleEvent(GuiEvent& ev) {
    // The row is taken before the list sees the press: selecting a row that
    // is only partly visible scrolls the list.
    int row = -1;
    const bool press = ev.sdl && ev.sdl->type == SDL_MOUSEBUTTONDOWN;
    if (press) row = fileList->rowAt(ev.sdl->button.x, ev.sdl->button.y);
    const int clicks = press ? ev.sdl->button.clicks : 0;

    GuiWindow::handleEvent(ev);
    if (!press || ev.target != fileList) return;

    if (row < 0 || size_t(row) >= entries.size()) {
        lastClickedRow = -1;
        return;
    }
    if (clicks >= 2 && row == lastClickedRow) {
        const Entry entry = entries[size_t(row)];
        if (!entry.isDirectory) {
            pickRow(row);
            accept();
        } else if (entry.name == "..") {
            // The parent by name, and the nearest one that exists, so even a
            // start directory that does not exist can be left.
            std::string up = parentOf(currentDirectory);
            std::error_code ec;
            while (!fs::exists(up, ec) && parentOf(up) != up) up = parentOf(up);
            changeDirectory(up);
        } else {
            changeDirectory((fs::path(currentDirectory) / entry.name).native());
        }
        return;
    }
    lastClickedRow = row;
    pickRow(row);
}

void GuiFileDialog::pickRow(int row) {
    const Entry& entry = entries[size_t(row)];
    if (entry.isDirectory) return;
    pickedName = entry.name;
    pickedDisplay = displayText(entry.name);
    setFileName(pickedDisplay);
}

void GuiFileDialog::onCommand(GuiEvent& ev) {
    if (ev.commandId == CmdComboBoxChanged && ev.source == driveSelector) {
        // The selector shows roots as text; the list it was filled from
        // gives the bytes.
        const int index = driveSelector->selected;
        if (index >= 0 && size_t(index) < roots.size())
            changeDirectory(roots[size_t(index)]);
        else
            changeDirectory(driveSelector->selectedText());
    }
}

// ---------------------------------------------------------------------------
// Ending

std::string GuiFileDialog::pathFor(const std::string& fieldText) const {
    const std::string& name = (!pickedName.empty() && fieldText == pickedDisplay) ? pickedName : fieldText;
    const fs::path typed(name);
    if (typed.is_absolute()) return typed.native();
    return (fs::path(currentDirectory) / typed).native();
}

void GuiFileDialog::accept() {
    if (!confirm(pathFor(fileName()))) return;
    accepted = true;
    endModal(1);
}

void GuiFileDialog::cancel() {
    accepted = false;
    endModal(2);
}
