"""What a new user found in the window: categories chosen with the mouse, sorting by a column,
help over a modal dialog, dialogs without minimise/maximise, and the history list's menu."""

import os
import subprocess

import kelo_e2e
from kelo_e2e import (E2ETestCase, TaskManager, extents, find, find_all, kelo_tasks, main,
                      showing, table_header, text_of, wait_until)


def date_key(text):
    d, m, y = text.split("/")
    return (int(y), int(m), int(d))


def enabled(acc):
    return acc.getState().contains(kelo_e2e.pyatspi.STATE_SENSITIVE)


def new_todo(host):
    """Opens the To Do Entry dialog with the New button and returns it."""
    host.click(TaskManager(host).command_button("New"))
    return host.window("To Do Entry")


def visible_windows():
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", "kelo-host"],
                          capture_output=True, text=True).stdout.split()


def x_window(title):
    """The X window id of the program's window with this title."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"],
                         capture_output=True, text=True).stdout.split()
    return out[0] if out else None


class WindowFixesTest(E2ETestCase):
    def test_categories_clicked_with_the_mouse_list_that_category(self):
        tm = TaskManager(self.start_host())
        for task, caption in (("To Do", "To Do List"), ("Account Status", "Account Status")):
            if caption != "To Do List":
                tm.choose_task(task, caption=caption)
            categories = tm.categories()
            self.assertGreater(len(categories), 1)
            # Each category once, down the tree and back up, so no click repeats the last one.
            for category in categories[1:] + list(reversed(categories[:-1])):
                tm.click_category(category)
                _, expected = kelo_tasks(self.company, caption if task != "To Do" else "To do List",
                                         category)
                tm.wait_rows(expected)

    def test_a_second_click_on_a_column_reverses_and_dates_sort_by_date(self):
        tm = TaskManager(self.start_host())
        tm.choose_task("Accounts Due", caption="Accounts Due")
        tm.click_category(tm.categories()[0])
        _, expected = kelo_tasks(self.company, "Accounts Due", tm.categories()[0])
        self.assertGreater(len(expected), 3)
        tm.wait_rows(expected)
        header = table_header(tm.list())
        date_col, amount_col = header.index("Date"), header.index("Amount")
        table = tm.list().queryTable()

        def click_header(col):
            x, y, w, h = extents(table.getColumnHeader(col))
            self.desktop.click_at(x + w // 2, y + h // 2)

        by_date = sorted(expected, key=lambda r: date_key(r[date_col]))
        click_header(date_col)
        wait_until("rows in date order", lambda: [date_key(r[date_col]) for r in tm.rows()]
                   == [date_key(r[date_col]) for r in by_date])
        click_header(date_col)
        wait_until("rows in reverse date order", lambda: [date_key(r[date_col]) for r in tm.rows()]
                   == [date_key(r[date_col]) for r in reversed(by_date)])
        amounts = sorted(float(r[amount_col]) for r in expected)
        click_header(amount_col)
        wait_until("rows by amount", lambda: [float(r[amount_col]) for r in tm.rows()] == amounts)

    def test_help_over_a_modal_dialog_answers_and_esc_closes_it(self):
        host = self.start_host()
        dialog = new_todo(host)
        self.desktop.key("F1")
        help_window = host.window("Task Manager Help")
        contents = find(help_window, "push button", "Contents")
        back = find(help_window, "push button", "Back")
        self.assertFalse(enabled(back), "the topic's page is the first shown")
        # Back comes alive once Contents showed a second page: the help takes the click.
        host.click(contents)
        wait_until("Back after a click on Contents", lambda: enabled(back))
        self.desktop.key("Escape")
        host.no_window("Task Manager Help")
        self.assertTrue(showing(dialog), "Esc closes the help only")
        # The window manager hands the focus back to the dialog in its own time.
        wait_until("the dialog active again",
                   lambda: dialog.getState().contains(kelo_e2e.pyatspi.STATE_ACTIVE))
        self.desktop.key("Escape")
        host.no_window("To Do Entry")

    def test_dialogs_offer_no_maximise(self):
        host = self.start_host()
        new_todo(host)
        window = wait_until("the dialog's X window", lambda: x_window("To Do Entry"))
        def allowed_actions():
            out = subprocess.run(["xprop", "-id", window, "_NET_WM_ALLOWED_ACTIONS"],
                                 capture_output=True, text=True).stdout
            return out if "_NET_WM_ACTION_CLOSE" in out else None

        # The window manager sets the allowed actions a moment after the window maps.
        actions = wait_until("the dialog's allowed actions", allowed_actions)
        self.assertNotIn("MAXIMIZE", actions)
        self.desktop.key("Escape")

    def test_history_menu_keeps_the_list_and_delete_clears_the_field(self):
        config = os.path.join(self.home, "xdg-config", "Kelo")
        os.makedirs(config, exist_ok=True)
        with open(os.path.join(config, "Plinth 70.conf"), "w") as f:
            f.write("[History]\nTasksToDoDesc\\History0=Phone the bank\n"
                    "TasksToDoDesc\\History1=Pay rent\n")
        host = self.start_host()
        dialog = new_todo(host)
        description = find(dialog, "text", "Description:")
        self.assertIsNotNone(description)
        host.click(description)
        self.desktop.type("P")
        popup = wait_until("the history list", lambda: next(
            (l for w in host.app for l in find_all(w, "list") if showing(l)), None))
        rows = [popup.getChildAtIndex(i) for i in range(popup.childCount)]
        self.assertEqual(sorted(r.name for r in rows), ["Pay rent", "Phone the bank"])
        bank = next(r for r in rows if r.name == "Phone the bank")
        # The menu is a window of its own; it is seen by the count of the program's windows
        # the X server shows.
        before = len(visible_windows())
        host.click(bank, button=3)
        wait_until("the history menu", lambda: len(visible_windows()) > before)
        self.assertTrue(showing(popup), "the list stays up while its menu is open")
        self.desktop.key("d")
        wait_until("the field back to what was typed", lambda: text_of(description) == "P")
        with open(os.path.join(config, "Plinth 70.conf")) as f:
            saved = f.read()
        self.assertNotIn("Phone the bank", saved)
        self.assertIn("Pay rent", saved)
        self.desktop.key("Escape", "Escape")


if __name__ == "__main__":
    main()
