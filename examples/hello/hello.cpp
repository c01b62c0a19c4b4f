// A first tarvexkit program: a window with a button that counts its clicks
// into a label and a button that asks a question in a message box. The
// application base keeps the box modal and closes it again; the program
// only says what its buttons do.
//
// With GUI_DEMO_SCRIPT naming a script, the automation driver plays it
// against this program, just as it does against the demo.

#include "automation/DemoDriver.h"
#include "controls/GuiButton.h"
#include "controls/GuiLabel.h"
#include "core/AppWindow.h"
#include "core/GuiApplication.h"
#include "core/GuiWindow.h"
#include "dialogs/GuiMessageBoxDialog.h"

#include <cstdlib>
#include <string>

class Hello : public GuiApplication {
public:
    Hello() {
        // Nothing moves by itself here: sleep until the user does something.
        waitForEvents = true;
        mainWindow = createWindow("Hallo", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 360, 160,
                                  SDL_WINDOW_SHOWN, SDL_Color{220, 220, 220, 255});
        add(new GuiButton(nullptr, 1, 20, 20, 150, 30, kButton, "Zählen", defaultFont, 0), "count");
        count = add(new GuiLabel(nullptr, -1, 190, 20, 150, 30, kBack, "0", defaultFont, 0), "clicks");
        add(new GuiButton(nullptr, 2, 20, 70, 150, 30, kButton, "Frage...", defaultFont, 0), "ask");
        answer = add(new GuiLabel(nullptr, -1, 190, 70, 150, 30, kBack, "", defaultFont, 0), "answer");
    }

protected:
    void onCommand(AppWindow*, GuiEvent& ev) override {
        if (ev.commandId == CmdButton && ev.value == 1) count->setValue(std::to_string(++clicks));
        if (ev.commandId == CmdButton && ev.value == 2 && !modal())
            GuiMessageBoxDialog::show("Gefällt dir tarvexkit?", "Frage",
                                      GuiMessageBoxDialog::StyleYes | GuiMessageBoxDialog::StyleNo, -1, -1);
        if (ev.commandId == CmdModalClosed) answer->setValue(ev.value == 3 ? "Ja" : "Nein");
    }

private:
    static constexpr SDL_Color kButton{200, 200, 200, 255}, kBack{220, 220, 220, 255};
    template <class T>
    T* add(T* widget, const char* name) {
        widget->name = name;
        mainWindow->root->add(widget);
        return widget;
    }
    GuiLabel* count = nullptr;
    GuiLabel* answer = nullptr;
    int clicks = 0;
};

int main() {
    Hello app;
    DemoDriver driver(&app);
    if (const char* script = std::getenv("GUI_DEMO_SCRIPT")) {
        if (!driver.loadScript(script)) return SDL_Log("Fehler in %s", driver.error.c_str()), 1;
        app.automation = &driver;
    }
    app.run();
    return driver.state() == DemoDriver::Failed ? 1 : 0;
}
