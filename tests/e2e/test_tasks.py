"""Every task that has a page, chosen with the mouse from the task toolbar, and every category
clicked with the mouse: the list shows what kelo-tasks lists for the same category."""

import re

from kelo_e2e import E2ETestCase, TaskManager, kelo_tasks, main, task_catalog

# The task toolbar's button and the page's caption, by the task's name in kelo-tasks.
TOOLBAR = {
    "To do List": ("To Do", "To Do List"),
    "Contacts": ("Contacts", "Contacts"),
    "Bills": ("Bills", "Bills"),
    "Accounts Due": ("Accounts Due", "Accounts Due"),
    "Account Status": ("Account Status", "Account Status"),
    "Recurring Items": ("Recurring", "Recurring"),
    "Stock": ("Stock", "Stock"),
    "Invoices": ("Invoices", "Invoices"),
    "Sales Orders": ("SOP", "SOP"),
    "Purchase Orders": ("POP", "POP"),
}


def key(title):
    """kelo-tasks' CSV name of a list column ("A/C" a_c, "Next Posting" next_posting)."""
    return re.sub(r"[^a-z0-9]+", "_", title.lower()).strip("_")


class TasksByMouseTest(E2ETestCase):
    def shown(self, tm, task, category):
        """kelo-tasks' rows for the category, cut to the columns the list shows (kelo-tasks may
        print more, such as a recurring entry's finish date)."""
        header, rows = kelo_tasks(self.company, task, category)
        keys = []
        for title in tm.header():
            if title or not keys:
                keys.append(key(title))
            else:
                # An untitled column (the Contacts list has two): kelo-tasks names it by its
                # field, printed right after the column before it.
                at = header.index(keys[-1]) + 1 if keys[-1] in header else len(header)
                keys.append(header[at] if at < len(header) else "")
        missing = [k for k in keys if k not in header]
        self.assertEqual(missing, [], f"{task}: list columns kelo-tasks does not print")
        return [[row[header.index(k)] for k in keys] for row in rows]


    def test_every_task_and_category_by_mouse(self):
        tasks = task_catalog(self.company)
        self.assertIn("To do List", [name for name, _ in tasks])
        tm = TaskManager(self.start_host())
        # The window opens on the first task; it is chosen again last, so each click changes
        # the page.
        for name, categories in tasks[1:] + tasks[:1]:
            with self.subTest(task=name):
                button, caption = TOOLBAR[name]
                tm.choose_task(button, caption=caption)
                self.assertEqual(tm.categories(), categories)
                tm.wait_rows(self.shown(tm, name, categories[0]))
                # Away from the first category and back to it, each one clicked: a click that
                # listed the category selected before it would show the wrong rows.
                for category in categories[1:] + categories[:1]:
                    tm.click_category(category)
                    tm.wait_rows(self.shown(tm, name, category))


if __name__ == "__main__":
    main()
