"""kelo-host's first start writes background list fill on into the program-wide settings, and
Tasks → Background List Fill turns it off and on again, kept for the next start."""
import configparser
import os

from kelo_e2e import E2ETestCase, find, main, showing, wait_until

MENU_ROLES = ("menu", "menu item", "check menu item")


def menu_entry(root, text):
    return find(root, pred=lambda a: a.getRoleName() in MENU_ROLES
                and (a.name or "").replace("&", "") == text and showing(a))


def is_checked(acc):
    import pyatspi
    return acc.getState().contains(pyatspi.STATE_CHECKED)


class BackgroundFillTest(E2ETestCase):
    def setting(self):
        ini = configparser.ConfigParser()
        ini.optionxform = str
        ini.read(os.path.join(self.home, "config", "kelo-program.ini"))
        return ini.get("Tasks", "AllowBackgroundFill", fallback=None)

    def fill_item(self, host, win):
        host.click(menu_entry(win, "Tasks"))
        return wait_until("Background List Fill", lambda: menu_entry(host.app, "Background List Fill"))

    def test_on_at_first_start_then_off_from_the_menu_and_kept(self):
        self.assertIsNone(self.setting())
        host = self.start_host(tasks=False)
        win = host.window("Kelo Accounts")
        wait_until("the first settings", lambda: self.setting() == "1")
        item = self.fill_item(host, win)
        self.assertTrue(is_checked(item))
        host.click(item)
        wait_until("the setting turned off", lambda: self.setting() == "0")

        # A second start keeps the user's choice and shows it.
        second = self.start_host(tasks=False)
        item = self.fill_item(second, second.window("Kelo Accounts"))
        self.assertFalse(is_checked(item))
        self.assertEqual(self.setting(), "0")
        host.click(item)
        wait_until("the setting back on", lambda: self.setting() == "1")


if __name__ == "__main__":
    main()
