// Input dialog through the application's real rules: Return confirms the
// single-line form, starts a new line in the multi-line form while the field
// has the focus and confirms it otherwise; Escape cancels both.

#include "common/GuiTestFixture.h"
#include "controls/GuiButton.h"
#include "core/SyntheticEvent.h"
#include "dialogs/GuiInputDialog.h"
#include "text/GuiTextCtrl.h"

#include <string>
#include <vector>

using Input = GuiInputDialog;

class InputDialog : public GuiTest {
protected:
    void SetUp() override {
        start(640, 480);
        mainField = add(new GuiTextCtrl(nullptr, -1, 10, 10, 200, 22, SDL_Color{255, 255, 255, 255}, uiFace, 0));
        root->setFocus(mainField);
    }

    Input* open(uint32_t style, const std::string& initial = "Erste Zeile") {
        Input* d = Input::show("Beschriftung:", "Eingabe", initial, style);
        EXPECT_NE(d, nullptr);
        return d;
    }
    void press(Input* d, SDL_Keycode sym) {
        dispatch(key(sym, 0, SDL_KEYDOWN, d->appWindow->id));
        dispatch(key(sym, 0, SDL_KEYUP, d->appWindow->id));
    }
    void type(Input* d, const char* text) { dispatch(SyntheticEvent::textInput(d->appWindow->id, text)); }
    void clickOn(Input* d, GuiObject* o) {
        dispatch(SyntheticEvent::button(SDL_MOUSEBUTTONDOWN, d->appWindow->id, o->x + 5, o->y + 5));
        dispatch(SyntheticEvent::button(SDL_MOUSEBUTTONUP, d->appWindow->id, o->x + 5, o->y + 5));
    }
    std::vector<int> closedResults() const {
        std::vector<int> out;
        for (const auto& c : engine->commands)
            if (c.id == CmdModalClosed) out.push_back(c.value);
        return out;
    }

    GuiTextCtrl* mainField = nullptr;
};

TEST_F(InputDialog, OpensCentredWithItsSizeAndTheFieldFocused) {
    struct Case {
        uint32_t style;
        int height, fieldHeight;
    };
    for (const Case& c : {Case{0, 117, 24}, Case{Input::MultiLine, 213, 120}}) {
        Input* d = open(c.style);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->appWindow->w, 420);
        EXPECT_EQ(d->appWindow->h, c.height);
        EXPECT_EQ(d->textField->h, c.fieldHeight);
        EXPECT_EQ(d->textField->multiLine, c.style == Input::MultiLine);
        EXPECT_EQ(d->text(), "Erste Zeile");
        EXPECT_TRUE(d->textField->hasFocus);
        EXPECT_EQ(engine->textTarget(), static_cast<IEditable*>(d->textField));
        EXPECT_EQ(engine->modal(), d);
        press(d, SDLK_ESCAPE);
        EXPECT_EQ(engine->textTarget(), static_cast<IEditable*>(mainField)) << "the keyboard goes back";
    }
}

TEST_F(InputDialog, ReturnConfirmsTheSingleLineForm) {
    Input* d = open(0, "");
    type(d, "Kreis");
    press(d, SDLK_RETURN);
    EXPECT_EQ(closedResults(), std::vector<int>{1});
    EXPECT_TRUE(d->isAccepted());
    EXPECT_EQ(d->text(), "Kreis");
}

TEST_F(InputDialog, ReturnStartsANewLineWhileTheMultiLineFieldHasTheFocus) {
    for (SDL_Keycode enter : {SDLK_RETURN, SDLK_KP_ENTER}) {
        engine->commands.clear();
        Input* d = open(Input::MultiLine, "");
        type(d, "eins");
        press(d, enter);
        type(d, "zwei");
        EXPECT_TRUE(closedResults().empty());
        EXPECT_EQ(engine->modal(), d);
        EXPECT_EQ(d->text(), "eins\nzwei");

        clickOn(d, d->okButton);
        EXPECT_EQ(closedResults(), std::vector<int>{1});
        EXPECT_TRUE(d->isAccepted());
        EXPECT_EQ(d->text(), "eins\nzwei");
    }
}

TEST_F(InputDialog, ReturnConfirmsTheMultiLineFormWithoutTheFocus) {
    Input* d = open(Input::MultiLine);
    d->setFocus(nullptr);
    press(d, SDLK_RETURN);
    EXPECT_EQ(closedResults(), std::vector<int>{1});
    EXPECT_EQ(d->text(), "Erste Zeile");
}

TEST_F(InputDialog, EscapeCancelsBothFormsAndLeavesTheTextReadable) {
    for (uint32_t style : {0u, Input::MultiLine}) {
        engine->commands.clear();
        Input* d = open(style);
        type(d, " dazu");
        press(d, SDLK_ESCAPE);
        EXPECT_EQ(closedResults(), std::vector<int>{2});
        EXPECT_FALSE(d->isAccepted());
        EXPECT_EQ(d->text(), "Erste Zeile dazu");
    }
}

TEST_F(InputDialog, TheCancelButtonCancels) {
    Input* d = open(Input::MultiLine);
    clickOn(d, d->cancelButton);
    EXPECT_EQ(closedResults(), std::vector<int>{2});
    EXPECT_FALSE(d->isAccepted());
}
