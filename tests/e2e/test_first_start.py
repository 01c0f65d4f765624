"""kelo-host started as the menu entry starts it, with no company yet in the XDG data folder:
it offers the demo company there; Yes makes it and opens it, No makes nothing and ends."""

import os

from kelo_e2e import E2ETestCase, KeloHost, TaskManager, find, kelo_tasks, main, wait_until


class FirstStartTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.folder = os.path.join(self.home, "xdg-data", "kelo", "company")

    def offer(self):
        host = KeloHost(self.desktop, None)
        box = host.alert()
        self.assertIsNotNone(find(box, "label", pred=lambda a: self.folder in (a.name or "")))
        return host, box

    def test_yes_makes_the_demo_company_and_opens_it(self):
        host, box = self.offer()
        self._hosts.append(host)
        host.click(find(box, "push button", "Yes"))
        tm = TaskManager(host)
        self.assertEqual(tm.caption(), "To Do List")
        _, expected = kelo_tasks(self.folder, "To do List", "Current Tasks")
        self.assertTrue(expected)
        tm.wait_rows(expected)

    def test_no_makes_nothing_and_ends(self):
        host, box = self.offer()
        host.click(find(box, "push button", "No"))
        wait_until("kelo-host to end", lambda: host.proc.poll() is not None)
        self.assertEqual(host.proc.returncode, 1)
        self.assertFalse(os.path.exists(self.folder))
        self.assertIn("give one with --company", host.output())


if __name__ == "__main__":
    main()
