"""Two desks on one company: kelo-host with a To Do dialog or question open while another process
writes to the same company (kelo-data import). The edit or delete still reaches the record the
user chose, a change over the other desk's is asked about first, a record the other desk holds
locked is refused with a message, and the list ends as kelo-tasks lists the company."""

import fcntl
import json
import os
import subprocess

from kelo_e2e import (DATA, E2ETestCase, TaskManager, dump_records, find, kelo_tasks, main, run,
                      text_of)

TODO_FILE = 43
CURRENT = "Current Tasks"
TODAY = 46361  # 06/12/2026, the program date of the tests


class TwoDesksTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.host = self.start_host()
        self.tm = TaskManager(self.host)
        self.tm.wait_rows(self.listed())

    def listed(self):
        return kelo_tasks(self.company, "To do List", CURRENT)[1]

    def records(self):
        return {r["record_number"]: r for r in dump_records(self.company, TODO_FILE)
                if not r.get("deleted")}

    def record_of(self, row):
        """The record number of a listed row (Name and Date Due are unique in the demo)."""
        matches = [n for n, r in self.records().items()
                   if r["description"] == row[0] and r["delegate_to"] == "OVERSEE"]
        self.assertEqual(len(matches), 1, row)
        return matches[0]

    def other_desk(self, *records):
        """The other desk writes: kelo-data import of `records` into the To Do file."""
        path = os.path.join(self.home, "other-desk.jsonl")
        with open(path, "w") as f:
            for r in records:
                f.write(json.dumps(r) + "\n")
        return subprocess.run([DATA, "import", self.company, "TODO.DTA", path],
                              capture_output=True, text=True)

    def new_entry(self, description):
        return {"description": description, "type": "General Reminder", "delegate_to": "OVERSEE",
                "date_due": TODAY, "notes_block": -1}

    def open_row(self, index):
        self.host.click_cell(self.tm.list(), index, double=True)
        dlg = self.host.window("To Do Entry")
        return dlg, find(dlg, "text", "Description:")

    def retype(self, edit, text):
        self.host.click(edit)
        self.desktop.key("ctrl+a")
        self.desktop.type(text)

    def answer(self, starts, button):
        box = self.host.alert()
        self.assertIsNotNone(find(box, "label", pred=lambda a: a.name.startswith(starts)),
                             f"the message box does not say '{starts}...'")
        self.host.click(find(box, "push button", button))
        self.host.no_alert()

    def test_an_edit_reaches_the_record_it_was_opened_on(self):
        rows = self.tm.rows()
        target = self.record_of(rows[2])
        before = self.records()
        dlg, description = self.open_row(2)
        self.assertEqual(text_of(description), rows[2][0])
        # The other desk adds an entry while the dialog is open: this window hears of it and
        # refills its list once the dialog has closed.
        self.assertEqual(self.other_desk(self.new_entry("Ring the landlord")).returncode, 0)
        self.retype(description, "Edited at this desk")
        self.host.click(find(dlg, "push button", "OK"))
        self.host.no_window("To Do Entry")

        after = self.records()
        self.assertEqual(after[target]["description"], "Edited at this desk")
        for n, r in before.items():
            if n != target:
                self.assertEqual(after[n], r, f"record {n} changed")
        self.tm.wait_rows(self.listed(), any_order=True)
        self.assertIn("Ring the landlord", [r[0] for r in self.tm.rows()])

    def test_a_change_over_the_other_desks_is_asked_first(self):
        for button, expected in (("Yes", "Ours over theirs"), ("No", "Changed at the other desk")):
            rows = self.tm.rows()
            target = self.record_of(rows[0])
            dlg, description = self.open_row(0)
            self.assertEqual(self.other_desk({"record_number": target,
                                              "description": "Changed at the other desk"})
                             .returncode, 0)
            self.retype(description, "Ours over theirs")
            self.host.click(find(dlg, "push button", "OK"))
            self.answer("Another user has changed this record since you opened it.", button)
            self.host.no_window("To Do Entry")
            self.assertEqual(self.records()[target]["description"], expected)
            self.tm.wait_rows(self.listed(), any_order=True)

    def test_a_delete_takes_the_row_asked_about_while_the_other_desk_writes(self):
        rows = self.tm.rows()
        victim = self.record_of(rows[1])
        before = self.records()
        self.host.click_cell(self.tm.list(), 1)
        self.desktop.key("Delete")
        box = self.host.alert()
        self.assertEqual(self.other_desk(self.new_entry("Ring the landlord")).returncode, 0)
        self.host.click(find(box, "push button", "Yes"))
        self.host.no_alert()

        after = self.records()
        self.assertNotIn(victim, after)
        for n, r in before.items():
            if n != victim:
                self.assertEqual(after.get(n), r, f"record {n} changed")
        self.tm.wait_rows(self.listed(), any_order=True)

    def test_a_record_the_other_desk_holds_locked_is_not_written(self):
        rows = self.tm.rows()
        target = self.record_of(rows[0])
        # The other desk's lock on the record, as its own write would take it.
        lock = os.open(os.path.join(self.company, "records.lck"), os.O_RDWR)
        fcntl.lockf(lock, fcntl.LOCK_EX | fcntl.LOCK_NB, 1, (TODO_FILE << 32) | target)
        try:
            dlg, description = self.open_row(0)
            self.retype(description, "Saved once the lock is gone")
            self.host.click(find(dlg, "push button", "OK"))
            self.answer("Another user is changing this record at the moment.", "OK")
            self.host.window("To Do Entry")  # still open, nothing written
            self.assertEqual(self.records()[target]["description"], rows[0][0])
            # The import refuses the locked record too.
            refused = self.other_desk({"record_number": target, "description": "Imported"})
            self.assertNotEqual(refused.returncode, 0)
            self.assertIn("locked by another user", refused.stderr)
        finally:
            os.close(lock)
        self.host.click(find(dlg, "push button", "OK"))
        self.host.no_window("To Do Entry")
        self.assertEqual(self.records()[target]["description"], "Saved once the lock is gone")


if __name__ == "__main__":
    main()
