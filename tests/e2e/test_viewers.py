"""The details viewers, opened with a double click on a ledger page's row and stepped with their
buttons: every field shows what kelo-tasks reads for the row's transaction or account, and the
page's selection follows the steps."""

from kelo_e2e import (DATE, TASKS, E2ETestCase, TaskManager, dump_records, enabled, find,
                      kelo_tasks, main, run, selected_rows, text_of, wait_until)

SALES_ACCOUNTS = 8


def details(company, *what):
    """kelo-tasks' "Label: value" lines for a transaction or an account, by label."""
    out = run([TASKS, "--company", company, "--date", DATE] + list(what)).stdout
    fields = {}
    for line in out.splitlines():
        label, _, value = line.partition(":")
        fields[label] = value.lstrip(" ")
    return fields


class ViewerTest(E2ETestCase):
    def open_viewer(self, task, title):
        host = self.start_host()
        tm = TaskManager(host)
        tm.choose_task(task, caption=task)
        category = tm.categories()[0]
        rows = kelo_tasks(self.company, task, category)[1]
        self.assertGreater(len(rows), 2)
        tm.wait_rows(rows)
        host.click_cell(tm.list(), 0, double=True)
        return host, tm, host.window(title), rows

    def check_steps(self, host, tm, viewer, rows, expect):
        """Expects row 0 shown; steps Next, Previous, Last and First, checking each."""
        buttons = {b: find(viewer, "push button", b)
                   for b in ("First", "Previous", "Next", "Last", "OK")}
        fields = {}

        def shows(row):
            want = expect(rows[row])
            for k in want:
                if k not in fields:
                    fields[k] = find(viewer, "text", k)
            wait_until(f"the viewer to show row {row}",
                       lambda: all(text_of(fields[k]) == v for k, v in want.items()))
            self.assertEqual(selected_rows(tm.list()), [row])
            # First and Last stay enabled on a list of two rows or more.
            self.assertEqual([enabled(buttons[b]) for b in ("First", "Previous", "Next", "Last")],
                             [True, row > 0, row < len(rows) - 1, True])

        shows(0)
        for name, row in (("Next", 1), ("Next", 2), ("Previous", 1), ("Last", len(rows) - 1),
                          ("First", 0)):
            host.click(buttons[name])
            shows(row)
        host.click(buttons["OK"])

    def test_transaction_details_from_accounts_due(self):
        host, tm, viewer, rows = self.open_viewer("Accounts Due", "Transaction Details")
        names = {"No": "No.", "Type": "Type", "A/C": "A/C", "Name": "Name", "Contact": "Contact",
                 "Telephone": "Telephone", "Date": "Date", "Ref": "Ref", "Details": "Details",
                 "Net": "Net", "Tax": "Tax", "Paid": "Paid", "Outstanding": "Outstanding"}

        def expect(row):
            # The list's first column is the transaction number.
            fields = details(self.company, "transaction", row[0])
            self.assertEqual(fields["Outstanding"], row[5])
            return {names[k]: v for k, v in fields.items()}
        self.check_steps(host, tm, viewer, rows, expect)
        host.no_window("Transaction Details")

    def test_account_details_from_account_status(self):
        host, tm, viewer, rows = self.open_viewer("Account Status", "Account Details")
        # The first category is a sales one; the list shows the account's reference.
        numbers = {r["reference"]: r["record_number"]
                   for r in dump_records(self.company, SALES_ACCOUNTS) if not r.get("deleted")}
        labels = ("A/C", "Name", "Contact", "Telephone", "Future", "Current", "Period 1",
                  "Period 2", "Period 3", "Older")

        def expect(row):
            number = numbers[row[0].rstrip()]
            fields = details(self.company, "account", str(number), "--ledger", "sales")
            self.assertEqual(fields["Name"], row[1])
            return {k: fields[k] for k in labels}
        self.check_steps(host, tm, viewer, rows, expect)
        host.no_window("Account Details")


if __name__ == "__main__":
    main()
