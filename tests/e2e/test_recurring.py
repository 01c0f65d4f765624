"""Recurring Items: every category lists what kelo-tasks lists, and Recurring Entry Properties,
opened by a double click or Enter, shows what kelo-tasks reads for the entry and steps through
the list with the list's selection following."""

import json

from kelo_e2e import (DATE, TASKS, E2ETestCase, TaskManager, enabled, find, main, run,
                      selected_rows, text_of, wait_until)

TASK = "Recurring Items"
VIEWER = "Recurring Entry Properties"
CATEGORIES = ["Payments", "Receipts", "Debits", "Credits", "Bank Transfers", "Customer SAs",
              "Supplier PAs"]
SHOWN = ["tp", "ref", "details", "amount", "frequency", "next_posting", "posts_made"]


def listing(company, category):
    """kelo-tasks' rows of a category as JSON objects (with record_number and finish_date)."""
    out = run([TASKS, "--company", company, "--date", DATE, "--format", "json", TASK,
               category]).stdout
    return json.loads(out)["categories"][0]["rows"]


def as_shown(row):
    """A kelo-tasks row as the list shows it (amounts with two decimals)."""
    return [f"{row[k]:.2f}" if k == "amount" else str(row[k]) for k in SHOWN]


def details(company, number):
    """kelo-tasks' "Label: value" lines for one recurring entry, by label."""
    out = run([TASKS, "--company", company, "--date", DATE, "recurring", str(number)]).stdout
    fields = {}
    for line in out.splitlines():
        label, _, value = line.partition(":")
        fields[label] = value.lstrip(" ")
    return fields


class RecurringTest(E2ETestCase):
    def open_page(self):
        tm = TaskManager(self.start_host())
        tm.choose_task("Recurring", caption="Recurring")
        return tm

    def choose(self, tm, category):
        """A click on the category; the list then shows what kelo-tasks lists for it."""
        tm.click_category(category)
        rows = listing(self.company, category)
        self.assertTrue(rows, category)
        tm.wait_rows([as_shown(r) for r in rows])
        return rows

    def expect_viewer(self, viewer, row, labels):
        """The viewer's fields named in `labels` show what kelo-tasks reads for the row."""
        want = details(self.company, row["record_number"])
        self.assertEqual(want["Finish Date"], row["finish_date"])
        fields = {k: find(viewer, "text", k) for k in labels}
        for k, f in fields.items():
            self.assertIsNotNone(f, f"no field '{k}'")
        wait_until(f"the viewer to show entry {row['record_number']}",
                   lambda: all(text_of(fields[k]) == want[k] for k in labels))

    def test_every_category_lists_what_kelo_tasks_lists(self):
        tm = self.open_page()
        self.assertEqual(tm.categories(), CATEGORIES)
        self.assertEqual(tm.header()[:7], ["Tp", "Ref", "Details", "Amount", "Frequency",
                                           "Next Posting", "Posts Made"])
        # Backwards, so every click moves the selection.
        for category in reversed(CATEGORIES):
            self.choose(tm, category)
        # And by keyboard from the first, where the last click left the selection.
        for category in CATEGORIES[1:]:
            self.desktop.key("Down")
            tm.wait_rows([as_shown(r) for r in listing(self.company, category)])

    def test_viewer_steps_through_a_transfers_two_rows(self):
        tm = self.open_page()
        rows = self.choose(tm, "Bank Transfers")
        # A transfer is two rows, JD then JC, of one entry.
        self.assertEqual([r["tp"] for r in rows[:2]], ["JD", "JC"])
        self.assertEqual(rows[0]["record_number"], rows[1]["record_number"])

        tm.host.click_cell(tm.list(), 0, double=True)
        viewer = tm.host.window(VIEWER)
        labels = ["Bank account", "Bank account name", "Second account", "Second account name",
                  "Transaction Type", "Transaction Ref", "Details", "Department", "Every",
                  "Total Reqd. Postings", "Start Date", "Finish Date", "Last Posted", "Amount"]
        self.expect_viewer(viewer, rows[0], labels)
        self.assertIsNotNone(find(viewer, "label", "Bank A/C From"))
        self.assertIsNotNone(find(viewer, "label", "Bank A/C To"))

        buttons = {b: find(viewer, "push button", b)
                   for b in ("First", "Previous", "Next", "Last", "Close")}
        last = len(rows) - 1
        for step, row in (("Next", 1), ("Next", 2), ("Previous", 1), ("Last", last),
                          ("First", 0)):
            tm.host.click(buttons[step])
            wait_until(f"{step}: row {row} selected", lambda: selected_rows(tm.list()) == [row])
            self.expect_viewer(viewer, rows[row], labels)
            self.assertEqual([enabled(buttons[b]) for b in ("Previous", "Next")],
                             [row > 0, row < last])

        tm.host.click(buttons["Close"])
        tm.host.no_window(VIEWER)

    def test_enter_opens_the_viewer_on_a_payment(self):
        tm = self.open_page()
        rows = self.choose(tm, "Payments")
        last = len(rows) - 1
        tm.host.click_cell(tm.list(), last)
        wait_until("the last row selected", lambda: selected_rows(tm.list()) == [last])
        self.desktop.key("Return")
        viewer = tm.host.window(VIEWER)
        self.expect_viewer(viewer, rows[last],
                           ["Bank account", "Bank account name", "Second account",
                            "Second account name", "Transaction Type", "Transaction Ref",
                            "Details", "Department", "Start Date", "Finish Date", "Last Posted",
                            "Net Amount", "Tax Code", "VAT"])
        names = {"BP": "Bank Payment", "CP": "Cash Payment", "VP": "Visa Payment"}
        self.assertEqual(text_of(find(viewer, "text", "Transaction Type")), names[rows[last]["tp"]])
        self.desktop.key("Escape")
        tm.host.no_window(VIEWER)


if __name__ == "__main__":
    main()
