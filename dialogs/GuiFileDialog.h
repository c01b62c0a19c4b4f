#pragma once

#include "core/GuiDialog.h"

#include <string>
#include <vector>

class GuiButton;
class GuiComboBox;
class GuiLabel;
class GuiListCtrl;
class GuiTextCtrl;

// Modal file chooser drawn with the toolkit's own widgets: a selector of the
// file-system roots, the current directory, its sub-directories and files, a
// file-name field, a message line and two buttons. What a confirmed name
// means is the business of the two concrete dialogs (open and save).
//
// Paths are kept as the bytes the file system uses, so a name that is not
// valid UTF-8 is returned exactly as it is on disk; only what is shown is
// made readable (every malformed byte becomes U+FFFD). No file-system
// failure escapes: each one ends up as a line on the message label and the
// dialog stays usable.
class GuiFileDialog : public GuiDialog {
public:
    struct Entry {
        std::string name;  // bytes as on disk
        bool isDirectory;
    };

    GuiFileDialog(AppWindow* appWindow, int id, int x, int y, int w, int h, SDL_Color colour,
                  const std::string& startDirectory, std::vector<std::string> filters, const std::string& okLabel);

    std::string currentDirectory;      // bytes as on disk
    std::vector<std::string> filters;  // extensions with the dot; empty: every file
    std::vector<Entry> entries;        // the rows of the file list, in order
    GuiComboBox* driveSelector = nullptr;
    GuiLabel* pathLabel = nullptr;
    GuiListCtrl* fileList = nullptr;
    GuiTextCtrl* fileNameField = nullptr;
    GuiLabel* messageLabel = nullptr;
    GuiButton* okButton = nullptr;
    GuiButton* cancelButton = nullptr;
    bool accepted = false;
    std::string selectedPath;  // bytes as on disk; empty until confirmed
    int lastClickedRow = -1;

    std::string fileName() const;
    void setFileName(const std::string& text);
    std::string message() const;
    void setMessage(const std::string& text);
    bool isAccepted() const { return accepted; }
    const std::string& getSelectedPath() const { return selectedPath; }

    // Canonicalises the path and lists it; a path that cannot be resolved
    // leaves everything as it was and says so on the message line.
    void changeDirectory(const std::string& path);
    // Lists the current directory again.
    void reload();
    // The path an OK would confirm for the text of the file-name field:
    // absolute text as given, anything else below the current directory.
    std::string pathFor(const std::string& fieldText) const;

    // The roots a user can start from: "/" first, then the mount points of
    // removable media.
    static std::vector<std::string> fileSystemRoots();
    // True when the name's extension (from its last dot) equals one of the
    // filters regardless of case; every name passes an empty list.
    static bool passesFilter(const std::string& name, const std::vector<std::string>& filters);
    // Text fit to show: each malformed UTF-8 byte replaced by U+FFFD.
    static std::string displayText(const std::string& bytes);

    const char* className() override;
    void handleEvent(GuiEvent& ev) override;
    void accept() override;
    void cancel() override;
    void onCommand(GuiEvent& ev) override;
    // Decides on the full path of an OK; true ends the dialog as accepted.
    virtual bool confirm(const std::string& path) = 0;

private:
    void fillDriveSelector();
    void selectRootOfCurrent();
    // A single click: a file's name goes into the field.
    void pickRow(int row);

    // The entry last put into the field by a click, so the path of a name
    // that had to be made readable is still returned byte for byte.
    std::string pickedName;
    std::string pickedDisplay;
    // The roots in the drive selector, in its order.
    std::vector<std::string> roots;
};
