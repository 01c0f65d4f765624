"""To Do New, Open and Delete with real keys and clicks: what the list shows after each is what
kelo-tasks lists, and the To Do file holds what the dialog was given."""

from kelo_e2e import (E2ETestCase, TaskManager, dump_records, find, kelo_tasks, main, selected_rows,
                      text_of, wait_until)

TODO_FILE = 43
CURRENT = "Current Tasks"


class ToDoTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.host = self.start_host()
        self.tm = TaskManager(self.host)
        self.tm.wait_rows(self.listed(CURRENT))

    def listed(self, category):
        return kelo_tasks(self.company, "To do List", category)[1]

    def records(self):
        return {r["record_number"]: r for r in dump_records(self.company, TODO_FILE)
                if not r.get("deleted")}

    def entry(self):
        dlg = self.host.window("To Do Entry")
        return dlg, find(dlg, "text", "Description:")

    def ok(self, dlg):
        self.host.click(find(dlg, "push button", "OK"))
        self.host.no_window("To Do Entry")

    def test_new_by_key_and_by_button(self):
        before = self.records()
        self.desktop.key("ctrl+n")
        dlg, description = self.entry()
        self.host.click(description)
        self.desktop.type("Order toner for the printer")
        self.ok(dlg)
        # A new entry is due on the program date, so it is a current task; the dialog adds its
        # row at the end of the list.
        self.tm.wait_rows(self.listed(CURRENT), any_order=True)
        self.assertEqual(self.tm.rows()[-1],
                         ["Order toner for the printer", "06/12/2026", "General Reminder"])

        self.host.click(self.tm.command_button("New"))
        dlg, description = self.entry()
        self.host.click(description)
        self.desktop.type("File the lease renewal")
        self.host.click(find(dlg, "check box", "Task Complete"))
        self.ok(dlg)
        # Completed, it is not a current task; kelo-tasks lists it with the completed ones.
        self.tm.wait_rows(self.listed(CURRENT), any_order=True)
        self.assertIn("File the lease renewal", [r[0] for r in self.listed("Completed Tasks")])

        added = {n: r for n, r in self.records().items() if n not in before}
        self.assertEqual(sorted((r["description"], r["completed"], r["delegate_to"], r["type"])
                                for r in added.values()),
                         [("File the lease renewal", 1, "OVERSEE", "General Reminder"),
                          ("Order toner for the printer", 0, "OVERSEE", "General Reminder")])

    def test_open_by_double_click_and_by_key(self):
        rows = self.tm.rows()
        self.host.click_cell(self.tm.list(), 0, double=True)
        dlg, description = self.entry()
        self.assertEqual(text_of(description), rows[0][0])
        self.host.click(description)
        self.desktop.key("ctrl+a")
        self.desktop.type("Reconcile the deposit account")
        count = len(self.records())
        self.ok(dlg)
        self.tm.wait_rows(self.listed(CURRENT))
        self.assertIn(["Reconcile the deposit account", rows[0][1], rows[0][2]], self.tm.rows())
        self.assertNotIn(rows[0][0], [r[0] for r in self.tm.rows()])
        # Edited in place: no record added.
        self.assertEqual(len(self.records()), count)

        # Ctrl+O opens the selected row; Cancel writes nothing.
        self.host.click_cell(self.tm.list(), 1)
        shown = self.tm.rows()
        self.desktop.key("ctrl+o")
        dlg, description = self.entry()
        self.assertEqual(text_of(description), shown[1][0])
        self.host.click(description)
        self.desktop.type(" and more")
        self.host.click(find(dlg, "push button", "Cancel"))
        self.host.no_window("To Do Entry")
        self.assertEqual(self.listed(CURRENT), shown)

    def test_delete_asks_first(self):
        rows = self.tm.rows()
        victim = rows[1]
        self.host.click_cell(self.tm.list(), 1)
        self.desktop.key("Delete")
        box = self.host.alert()
        self.assertIsNotNone(find(box, "label",
                                  "Are you sure you wish to delete this To Do record? "))
        self.host.click(find(box, "push button", "No"))
        self.host.no_alert()
        self.assertEqual(self.listed(CURRENT), rows)

        self.desktop.key("Delete")
        self.host.click(find(self.host.alert(), "push button", "Yes"))
        self.host.no_alert()
        self.tm.wait_rows([r for r in rows if r != victim])
        self.assertEqual(self.listed(CURRENT), [r for r in rows if r != victim])
        self.assertNotIn(victim[0], [r["description"] for r in self.records().values()])

        # The command bar's Delete button takes the row the list has selected now.
        left = self.tm.rows()
        selected = wait_until("a selected row", lambda: selected_rows(self.tm.list()))
        self.host.click(self.tm.command_button("Delete"))
        self.host.click(find(self.host.alert(), "push button", "Yes"))
        self.tm.wait_rows([r for i, r in enumerate(left) if i != selected[0]])


if __name__ == "__main__":
    main()
