"""Bill Payment with real keys and clicks: a bill paid in full leaves Current Bills for Paid
Bills, the posting is the transaction kelo-tasks shows, and a penny too much is refused with the
dialog left open and nothing written."""

import subprocess

from kelo_e2e import (TASKS, E2ETestCase, TaskManager, dump_records, find, find_all, kelo_tasks,
                      main, text_of, wait_until)

BILLS_FILE = 46
HEADER_FILE = 12
SPLIT_FILE = 36
CURRENT = "Current Bills"


class BillPaymentTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.host = self.start_host()
        self.tm = TaskManager(self.host)
        self.tm.choose_task("Bills", caption="Bills")
        self.tm.wait_rows(self.listed(CURRENT))

    def listed(self, category):
        return kelo_tasks(self.company, "Bills", category)[1]

    def open_payment(self, row):
        self.host.click_cell(self.tm.list(), row)
        self.host.click(self.tm.command_button("Pay"))
        return self.host.window("Bill Payment")

    def choose_bank(self, dlg, code):
        self.host.click(find(dlg, "text", "Bank"))
        self.desktop.type(code)
        self.desktop.key("Tab")
        wait_until("the bank's name", lambda: text_of(find(dlg, "text", "Bank name")))

    def test_full_payment_moves_the_bill_to_paid(self):
        bill = self.tm.rows()[0]
        headers = len(dump_records(self.company, HEADER_FILE))
        dlg = self.open_payment(0)
        self.choose_bank(dlg, "1200")
        self.assertEqual(text_of(find(dlg, "text", "Bank name")), "Bank Current Account")
        # Enter does not pay.
        self.desktop.key("Return")
        self.host.window("Bill Payment")
        self.host.click(find(dlg, "push button", "OK"))
        self.host.no_window("Bill Payment")

        self.tm.wait_rows(self.listed(CURRENT))
        self.assertNotIn(bill, self.tm.rows())
        paid = self.listed("Paid Bills")
        self.assertIn([bill[0], bill[1], bill[2], "0.00"], paid)
        self.tm.click_category("Paid Bills")
        self.tm.wait_rows(paid)

        # The posting: one new header whose split carries the transaction kelo-tasks shows.
        new = dump_records(self.company, HEADER_FILE)[headers:]
        self.assertEqual(len(new), 1)
        self.assertEqual(new[0]["type"], 11)
        self.assertEqual(new[0]["details"], bill[0])
        self.assertEqual(f"{new[0]['net_amount'] + new[0]['tax_amount']:.2f}", bill[3])
        split = next(s for s in dump_records(self.company, SPLIT_FILE)
                     if s["record_number"] == new[0]["first_split"])
        shown = subprocess.run([TASKS, "--company", self.company, "transaction",
                                str(split["transaction_number"])],
                               capture_output=True, text=True, check=True).stdout
        self.assertIn("Bank Payment", shown)
        self.assertIn(bill[0], shown)

    def test_a_penny_too_much_is_refused(self):
        before = dump_records(self.company, BILLS_FILE)
        headers = len(dump_records(self.company, HEADER_FILE))
        dlg = self.open_payment(0)
        self.choose_bank(dlg, "1200")
        net = float(text_of(find(dlg, "text", "Net")))
        self.host.click(find(dlg, "text", "Net"))
        self.desktop.key("ctrl+a")
        self.desktop.type(f"{net + 0.01:.2f}")
        self.host.click(find(dlg, "push button", "OK"))
        alert = self.host.alert()
        shown = " ".join(text_of(label) or "" for label in find_all(alert, "label"))
        self.assertIn(f"Net amount entered of {net + 0.01:.2f} is greater", shown)
        self.desktop.key("Return")
        self.host.no_alert()
        self.host.window("Bill Payment")
        self.desktop.key("Escape")
        self.host.no_window("Bill Payment")
        self.assertEqual(dump_records(self.company, BILLS_FILE), before)
        self.assertEqual(len(dump_records(self.company, HEADER_FILE)), headers)


if __name__ == "__main__":
    main()
