# Writes an automation script of random but valid input over the demo's main
# window: pointer moves, clicks and drags, keys, typing, wheel steps, menu
# choices, dialogs and message boxes, about SECONDS of script time, from SEED.
#   awk -v seed=SEED -v seconds=SECONDS -f scripts/soak-script.awk TITLES
# TITLES holds one line "name x y" per menu title of the main window, in
# window coordinates (scripts/soak.sh finds them with a traced probe run).
#
# The input keeps away from what would end or stall the run: the menu bar is
# only used through the menu blocks, "Beenden" is never chosen, no key opens
# a dialog (F3, F4, F7, F8, F9, Alt+D) or changes the window (F11), and every
# dialog or message box opened is answered and waited for.

function pick(n) { return int(rand() * n) }
function between(lo, hi) { return lo + pick(hi - lo + 1) }
function emit(line, secs) { print line; total += secs }
function secs(lo, hi) { return sprintf("%.2f", lo + rand() * (hi - lo)) }

# A pointer move to a random point of the showcase, below the menu bar.
function move_somewhere(   t) {
    t = secs(0.1, 0.6)
    emit("move " between(0, W - 1) " " between(40, H - 1) " " t, t)
}

function random_key(   mods) {
    mods = ""
    if (pick(6) == 0) mods = "ctrl+"
    else if (pick(6) == 0) mods = "shift+"
    emit("key " mods keys[1 + pick(nkeys)], 0.02)
}

function random_text(   n, s, i) {
    n = between(1, 8)
    s = ""
    for (i = 0; i < n; ++i) s = s chars[1 + pick(nchars)]
    emit("type \"" s "\"", 0.02)
}

# Closes what a random click may have left open (a drop-down, a context menu)
# by a click into the event log and Escape, so that the menu bar is free.
function settle() {
    emit("move 900 560 0.2", 0.2)
    emit("click", 0.12)
    emit("key Escape", 0.02)
}

# The menu: onto its title, open it, straight down into it (a diagonal from
# the title would cross the neighbouring titles and switch menus), then to
# the entry.
function open_menu(m) {
    settle()
    emit("move " tx[m] " 60 0.2", 0.2)
    emit("move_to " title[m] " 0.2", 0.2)
    emit("click", 0.12)
    emit("move " tx[m] " " (ty[m] + 30) " 0.15", 0.15)
}

function choose_entry(m, entry) {
    open_menu(m)
    emit("move_to " entry " 0.25", 0.25)
    emit("click", 0.12)
}

# A message box from the dialogs menu or F4, answered with one of its
# buttons or a key, then back to the main window.
function message_box(   k, box, answers, n, a) {
    k = pick(6)
    if (k == 5) {
        settle()
        emit("key F4", 0.02)
        box = "Caption"; answers = "ok"
    } else {
        box = boxTitle[k]; answers = boxAnswers[k]
        if (!("dialogs" in menuIndex)) return
        choose_entry(menuIndex["dialogs"], boxEntry[k])
    }
    emit("wait_window \"" box "\" 3", 0.3)
    emit("window \"" box "\"", 0)
    n = split(answers, a, " ")
    if (pick(3) == 0) {
        emit("key Return", 0.02)
    } else {
        emit("move_to " a[between(1, n)] " 0.3", 0.3)
        emit("click", 0.12)
    }
    emit("wait_window_closed \"" box "\" 3", 0.1)
    emit("window GuiEngine", 0)
}

# A dialog from the dialogs menu, left again with Escape.
function other_dialog(   k) {
    if (!("dialogs" in menuIndex)) return
    k = between(1, ndialogs)
    choose_entry(menuIndex["dialogs"], dialogEntry[k])
    emit("wait_window \"" dialogTitle[k] "\" 3", 0.3)
    emit("window \"" dialogTitle[k] "\"", 0)
    emit("key Escape", 0.02)
    emit("wait_window_closed \"" dialogTitle[k] "\" 3", 0.1)
    emit("window GuiEngine", 0)
}

BEGIN {
    if (seed == "") seed = 1
    if (seconds == "") seconds = 60
    srand(seed)
    W = 1900; H = 960

    nkeys = split("a b c x y z 0 1 9 space Return Tab BackSpace Delete Left Right Up Down Home End " \
                  "PageUp PageDown Escape", keys, " ")
    nchars = split("a b c d e f x y z A B Q 0 1 7 . , - ä ö ü ß é €", chars, " ")
    # The message boxes of the dialogs menu: entry, window title, buttons.
    split("dlg_msg_ok dlg_msg_ok_cancel dlg_msg_yes_no dlg_msg_yes_no_cancel dlg_msg_on_top", boxEntry, " ")
    boxEntry[0] = boxEntry[5]
    boxTitle[1] = "Meldung"; boxAnswers[1] = "ok"
    boxTitle[2] = "Bestätigung"; boxAnswers[2] = "ok cancel"
    boxTitle[3] = "Frage"; boxAnswers[3] = "yes no"
    boxTitle[4] = "Frage"; boxAnswers[4] = "yes no cancel"
    boxTitle[0] = "Im Vordergrund"; boxAnswers[0] = "ok"
    # Entries chosen from the other menus; none of them opens a window.
    nentries = split("file:file_new file:file_open file:file_save edit:edit_undo edit:edit_redo " \
                     "edit:edit_advanced help:help_undo help:help_redo help:help_advanced", entries, " ")
    # The dialogs of the dialogs menu other than the message boxes: entry and
    # window title. Each is closed with Escape.
    ndialogs = split("dlg_open dlg_open_png dlg_save dlg_color dlg_test dlg_input dlg_input_multi", dialogEntry, " ")
    split("Datei öffnen|Datei öffnen|Datei speichern|Farbe wählen|GuiEngine 2|Eingabe|Eingabe, mehrzeilig",
          dialogTitle, "|")
}

NF == 3 { ++nmenus; title[nmenus] = $1; tx[nmenus] = $2; ty[nmenus] = $3; menuIndex[$1] = nmenus }

END {
    if (nmenus == 0) { print "soak-script.awk: no menu titles given" > "/dev/stderr"; exit 2 }
    print "# Random input, seed " seed ", about " seconds " s."
    total = 0
    while (total < seconds) {
        r = pick(100)
        if (r < 30) move_somewhere()
        else if (r < 45) { move_somewhere(); emit("click" (pick(5) == 0 ? " right" : ""), 0.12) }
        else if (r < 50) {
            move_somewhere(); emit("mouse_down", 0); move_somewhere(); emit("mouse_up", 0)
        }
        else if (r < 62) random_key()
        else if (r < 68) random_text()
        else if (r < 78) { move_somewhere(); emit("wheel " (pick(2) ? 1 : -1) * between(1, 5), 0.02) }
        else if (r < 82) emit("wait " secs(0.05, 0.4), 0.2)
        else if (r < 90) {
            split(entries[between(1, nentries)], e, ":")
            if (e[1] in menuIndex) choose_entry(menuIndex[e[1]], e[2])
        }
        else if (r < 93) other_dialog()
        else message_box()
    }
    print "finish"
}
