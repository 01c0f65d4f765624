"""The Task Manager opens on the To Do list and its categories list what kelo-tasks lists."""

from kelo_e2e import E2ETestCase, TaskManager, kelo_tasks, main


class WindowTest(E2ETestCase):
    def test_opens_on_todo_current_tasks(self):
        tm = TaskManager(self.start_host())
        self.assertEqual(tm.caption(), "To Do List")
        self.assertEqual(tm.categories(), ["Current Tasks", "Overdue Tasks", "Completed Tasks"])
        _, expected = kelo_tasks(self.company, "To do List", "Current Tasks")
        self.assertTrue(expected)
        tm.wait_rows(expected)

    def test_keyboard_steps_through_categories(self):
        tm = TaskManager(self.start_host())
        tm.host.click_cell(tm.tree(), 0)
        for category in ["Overdue Tasks", "Completed Tasks"]:
            self.desktop.key("Down")
            _, expected = kelo_tasks(self.company, "To do List", category)
            tm.wait_rows(expected)


if __name__ == "__main__":
    main()
