"""The Contacts page and the Phone Call Reminder dialog with real keys and clicks: every category
lists what kelo-tasks lists, Open and Enter save a completed call, Delete asks first, and a
reminder added from kelo-host's Accounts menu shows up on the page."""

from kelo_e2e import (E2ETestCase, TaskManager, dump_records, find, kelo_tasks, main, showing,
                      text_of, wait_until)

TODO_FILE = 43
TODAY = "Today's Contacts"


class ContactsTest(E2ETestCase):
    def listed(self, category):
        return kelo_tasks(self.company, "Contacts", category)[1]

    def reminders(self):
        return {r["record_number"]: r for r in dump_records(self.company, TODO_FILE)
                if not r.get("deleted") and r.get("ledger_type")}

    def choose_category(self, host, tm, name):
        """Moves the tree's selection to the category with the keyboard, as a user may."""
        names = tm.categories()
        host.click_cell(tm.tree(), 0)
        self.desktop.key("Home", *(["Down"] * names.index(name)))

    def menu(self, host, window, title, item):
        """Clicks a menu of the menu bar, then one of its items."""
        host.click(wait_until(f"menu '{title}'", lambda: find(window, "menu item", title)))
        host.click(wait_until(f"menu item '{item}'",
                              lambda: find(host.app, "menu item", item, pred=showing)))

    def open_contacts(self, host):
        tm = TaskManager(host)
        tm.choose_task("Contacts", caption="Contacts")
        return tm

    def test_every_category_by_mouse(self):
        tm = self.open_contacts(self.start_host())
        self.assertEqual(tm.categories(), ["Overdue Contacts", TODAY, "Future Contacts",
                                           "Completed Contacts"])
        self.assertEqual(tm.header(), ["A/C", "Name", "", "Date Due", "Telephone", ""])
        tm.wait_rows(self.listed("Overdue Contacts"))
        for category in tm.categories():
            self.choose_category(tm.host, tm, category)
            rows = self.listed(category)
            self.assertTrue(rows, category)
            tm.wait_rows(rows)

    def test_open_shows_the_account_and_enter_saves(self):
        host = self.start_host()
        tm = self.open_contacts(host)
        self.choose_category(host, tm, TODAY)
        rows = self.listed(TODAY)
        tm.wait_rows(rows)
        host.click_cell(tm.list(), 0, double=True)
        dlg = host.window("Phone Call Reminder")
        self.assertEqual(text_of(find(dlg, "text", "A/C:")), rows[0][0])
        self.assertEqual(text_of(find(dlg, "text", "Account name")), rows[0][1])
        self.assertEqual(text_of(find(dlg, "text", "Telephone")), rows[0][4])
        self.host_click_complete(host, dlg)
        self.desktop.key("Return")
        host.no_window("Phone Call Reminder")
        tm.wait_rows(rows[1:])
        self.assertIn(rows[0][0], [r[0] for r in self.listed("Completed Contacts")])

    def host_click_complete(self, host, dlg):
        host.click(find(dlg, "check box", "Task Complete"))

    def test_delete_asks_first(self):
        host = self.start_host()
        tm = self.open_contacts(host)
        rows = self.listed("Overdue Contacts")
        tm.wait_rows(rows)
        before = len(self.reminders())
        host.click_cell(tm.list(), 0)
        self.desktop.key("Delete")
        box = host.alert()
        self.assertIsNotNone(find(box, "label",
                                  "Are you sure you wish to delete this phone call reminder "
                                  "record? "))
        host.click(find(box, "push button", "No"))
        host.no_alert()
        self.assertEqual(len(self.reminders()), before)

        host.click_cell(tm.list(), 0)
        self.desktop.key("Delete")
        host.click(find(host.alert(), "push button", "Yes"))
        host.no_alert()
        tm.wait_rows(rows[1:])
        self.assertEqual(len(self.reminders()), before - 1)

    def test_a_reminder_added_from_the_accounts_menu_is_listed(self):
        host = self.start_host(tasks=False)
        main_window = host.window("Kelo Accounts")
        self.menu(host, main_window, "Accounts", "New Phone Call Reminder...")
        dlg = host.window("New Phone Call Reminder")
        host.click(find(dlg, "text", "Note"))
        self.desktop.type("Ring about the spring order")
        host.click(find(dlg, "push button", "OK"))
        host.no_window("New Phone Call Reminder")

        added = [r for r in self.reminders().values()
                 if r["description"] == "Ring about the spring order"]
        self.assertEqual(len(added), 1)
        self.assertEqual((added[0]["ledger_type"], added[0]["delegate_to"],
                          added[0]["type"]), (256, "OVERSEE", "Phone call reminder."))

        self.menu(host, main_window, "Tasks", "Task Manager")
        tm = self.open_contacts(host)
        self.choose_category(host, tm, TODAY)
        rows = self.listed(TODAY)
        self.assertIn("Ring about the spring order", [r[2] for r in rows])
        tm.wait_rows(rows)


if __name__ == "__main__":
    main()
