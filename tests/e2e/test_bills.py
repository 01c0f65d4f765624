"""The Bills page with real keys and clicks: its categories list what kelo-tasks lists, a new bill
made with the Pay To lookup lands in the bill file and the list, and Delete takes an unpaid bill
and refuses a part-paid one."""

from kelo_e2e import (E2ETestCase, TaskManager, dump_records, find, kelo_tasks, main, text_of,
                      wait_until)

BILL_FILE = 46
NOMINAL_FILE = 10
CATEGORIES = ["Current Bills", "Overdue Bills", "Paid Bills"]


class BillsTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.host = self.start_host()
        self.tm = TaskManager(self.host)
        self.tm.choose_task("Bills", caption="Bills")
        self.tm.wait_rows(self.listed("Current Bills"))

    def listed(self, category):
        return kelo_tasks(self.company, "Bills", category)[1]

    def bills(self):
        return dump_records(self.company, BILL_FILE)

    def test_categories_by_keyboard(self):
        self.assertEqual(self.tm.categories(), CATEGORIES)
        self.host.click_cell(self.tm.tree(), 0)
        for category in CATEGORIES[1:]:
            self.desktop.key("Down")
            expected = self.listed(category)
            self.assertTrue(expected)
            self.tm.wait_rows(expected)

    def test_new_bill_through_the_lookup(self):
        before = len(self.bills())
        codes = sorted(r["code"] for r in dump_records(self.company, NOMINAL_FILE))
        first_seven = next(c for c in codes if c >= "7")

        self.desktop.key("ctrl+n")
        dlg = self.host.window("Bill Record")
        pay_to = find(dlg, "text", "Pay To:")
        # F4 drops the lookup down; "7" jumps to the first code from 7; Enter takes it.
        self.host.click(pay_to)
        self.desktop.key("F4", "7", "Return")
        wait_until("the chosen code", lambda: text_of(pay_to) == first_seven)

        self.host.click(find(dlg, "text", "Details:"))
        self.desktop.type("Printer paper")
        self.host.click(find(dlg, "text", "Net:"))
        self.desktop.key("ctrl+a")
        self.desktop.type("100")
        self.desktop.key("Tab")  # leaving Net works the Vat out
        vat = find(dlg, "text", "Vat:")
        shown_vat = float(wait_until("the vat", lambda: text_of(vat) != "0.00" and text_of(vat)))
        self.host.click(find(dlg, "push button", "OK"))
        self.host.no_window("Bill Record")

        self.tm.wait_rows(self.listed("Current Bills"))
        self.assertEqual(self.tm.rows()[-1][0], "Printer paper")
        bills = self.bills()
        self.assertEqual(len(bills), before + 1)
        new = bills[-1]
        self.assertEqual((new["pay_to"], new["details"], new["net_amount"], new["tax_amount"]),
                         (first_seven, "Printer paper", 100.0, shown_vat))

    def test_delete_takes_an_unpaid_bill_and_refuses_a_part_paid_one(self):
        rows = self.tm.rows()
        before = len(self.bills())
        # The demo's Current Bills hold unpaid bills first and a part-paid one after them.
        part_paid = [b["details"] for b in self.bills()
                     if 0 < b["net_paid"] + b["tax_paid"] < b["net_amount"] + b["tax_amount"]]
        unpaid = next(i for i, r in enumerate(rows) if r[0] not in part_paid)
        self.host.click_cell(self.tm.list(), unpaid)
        self.desktop.key("Delete")
        box = self.host.alert()
        self.assertIsNotNone(find(box, "label", "Are you sure you wish to delete this bill entry? "))
        self.host.click(find(box, "push button", "Yes"))
        self.host.no_alert()
        expected = [r for i, r in enumerate(rows) if i != unpaid]
        self.tm.wait_rows(expected)
        self.assertEqual(self.listed("Current Bills"), expected)
        self.assertEqual(len(self.bills()), before - 1)

        refused = next(i for i, r in enumerate(expected) if r[0] in part_paid)
        self.host.click_cell(self.tm.list(), refused)
        self.desktop.key("Delete")
        box = self.host.alert()
        self.assertIsNotNone(find(box, "label",
                                  "You can't delete a bill that has been partially paid. "))
        self.host.click(find(box, "push button", "OK"))
        self.host.no_alert()
        self.assertEqual(len(self.bills()), before - 1)

    def test_open_by_double_click_and_cancel(self):
        rows = self.tm.rows()
        self.host.click_cell(self.tm.list(), 0, double=True)
        dlg = self.host.window("Bill Record")
        self.assertEqual(text_of(find(dlg, "text", "Details:")), rows[0][0])
        self.host.click(find(dlg, "text", "Details:"))
        self.desktop.type(" changed")
        self.host.click(find(dlg, "push button", "Cancel"))
        self.host.no_window("Bill Record")
        self.assertEqual(self.listed("Current Bills"), rows)


if __name__ == "__main__":
    main()
