#!/usr/bin/python3
# The built program as a person uses it: a private X server with a window manager, a private
# D-Bus session with the accessibility bus, real key presses through XTEST to whatever window
# has the focus, and the program's web traffic through a loopback proxy that records it.
# What happened is read back from window titles, the proxy's log, files on disk and the
# accessibility tree -- never from inside the program.
# Usage: journeys.py PATH_TO_BIDBENCH [unittest arguments]
import http.server, os, pathlib, shutil, signal, subprocess, sys, tempfile, threading, time, unittest, warnings

PROGRAM = os.path.abspath(sys.argv.pop(1))
BOOKMARKS = ('<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p><DT><H3>Auctions</H3><DL><p>'
             '<DT><A HREF="http://www.ebay.com/itm/7">Lamp</A></DL><p></DL>\n')
# Roles a person operates; web content is the site's own affair and not walked.
OPERABLE = {'push button', 'toggle button', 'check box', 'radio button', 'combo box', 'text',
            'password text', 'entry', 'list', 'list item', 'tree', 'tree table', 'tree item',
            'table cell', 'page tab', 'page tab list', 'menu item', 'check menu item',
            'radio menu item', 'tool bar', 'spin button', 'slider'}


# Stands in for every web host: the program's proxy setting sends all of it here.
class Proxy(http.server.ThreadingHTTPServer):
    daemon_threads, block_on_close = True, False  # a kept-alive connection does not hold up the end

    def __init__(self):
        super().__init__(('127.0.0.1', 0), ProxyHandler)
        self.log, self.version_answer = [], ''
        threading.Thread(target=self.serve_forever, daemon=True).start()

    def asked(self, text, method='GET'):
        return [r for r in list(self.log) if r['method'] == method and text in r['url']]


class ProxyHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'
    log_message = lambda *args: None

    def do_GET(self):
        self.rfile.read(int(self.headers.get('Content-Length') or 0))
        self.server.log.append({'method': self.command, 'url': self.path, 'cookie': self.headers.get('Cookie') or ''})
        page = self.server.version_answer if 'versioncheck' in self.path else \
            '<title>Page %s</title><input>' % self.path.rsplit('/', 1)[-1]
        self.send_response(200)
        if self.command == 'POST':  # the login
            self.send_header('Set-Cookie', 'talvex=logged-in; Path=/')
        self.send_header('Content-Length', str(len(page)))
        self.end_headers()
        self.wfile.write(page.encode())

    do_POST = do_GET


def wait_for(what, condition, seconds=20):
    end = time.monotonic() + seconds
    while not (value := condition()):
        if time.monotonic() > end:
            raise AssertionError('gave up waiting for ' + what)
        time.sleep(0.1)
    return value


def output(*command):
    return subprocess.run(command, capture_output=True, text=True).stdout.strip()


def quietly(*command, **options):
    return subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options)


# Pressed as a person would: XTEST events to the window that has the focus.
def keys(*names):
    for name in names:
        subprocess.run(['xdotool', 'key', '--delay', '60', name], check=True)
        time.sleep(0.15)


def type_text(text):
    subprocess.run(['xdotool', 'type', '--delay', '20', text], check=True)


def active_title():
    return output('xdotool', 'getactivewindow', 'getwindowname')


def home_folders(home):
    folders = dict(HOME=home, XDG_RUNTIME_DIR=home + '/run', XDG_CONFIG_HOME=home + '/.config',
                   XDG_DATA_HOME=home + '/.local/share', XDG_CACHE_HOME=home + '/.cache')
    for folder in folders.values():
        os.makedirs(folder, mode=0o700, exist_ok=True)
    return folders


# A program that writes one line to the file descriptor it is told of, and that line.
def start_and_read(command):
    read, write = os.pipe()
    process = quietly(*[a.replace('{fd}', str(write)) for a in command], pass_fds=[write])
    os.close(write)
    with os.fdopen(read) as stream:
        return process, stream.readline().strip()


# Xvfb, a D-Bus session (which starts the accessibility bus on demand) and openbox.
class Desktop:
    def __init__(self):
        self.home = tempfile.mkdtemp(prefix='bidbench-desktop-')
        os.environ.update(home_folders(self.home))
        self.processes = []
        try:
            self.start()
        except BaseException:
            self.close()  # nothing left holding the test's output open
            raise

    def start(self):
        xvfb, display = start_and_read(['Xvfb', '-displayfd', '{fd}', '-screen', '0', '1280x900x24', '-nolisten', 'tcp'])
        self.processes.append(xvfb)
        os.environ['DISPLAY'] = ':' + display
        bus, os.environ['DBUS_SESSION_BUS_ADDRESS'] = start_and_read(
            ['dbus-daemon', '--session', '--nofork', '--print-address={fd}'])
        self.processes.append(bus)
        # A desktop's secret store, unlocked as at login: a locked or missing one would put up a
        # prompt over the program when it moves the password out of the settings file.
        keyring = quietly('gnome-keyring-daemon', '--foreground', '--unlock', '--components=secrets', stdin=subprocess.PIPE)
        self.processes.append(keyring)
        keyring.stdin.write(b'login password')
        keyring.stdin.close()
        wait_for('the secret store', lambda: 'true' in output(
            'dbus-send', '--session', '--print-reply', '--dest=org.freedesktop.DBus', '/org/freedesktop/DBus',
            'org.freedesktop.DBus.NameHasOwner', 'string:org.freedesktop.secrets'))
        self.processes.append(quietly('openbox', '--sm-disable'))
        wait_for('the window manager', lambda: 'window id' in output('xprop', '-root', '_NET_SUPPORTING_WM_CHECK'))

    def close(self):
        for process in reversed(self.processes):
            process.terminate()
            process.wait(10)
        shutil.rmtree(self.home, ignore_errors=True)


# One run of the program in a fresh home folder, with the proxy as its web.
class Bidbench:
    def __init__(self, proxy, settings='[Settings]\nStartScreen=N\n[Main]\nUser=ann\nPassword=pw\n'):
        self.home = tempfile.mkdtemp(prefix='bidbench-home-', dir=os.environ['HOME'])
        environment = dict(os.environ, **home_folders(self.home), QT_QPA_PLATFORM='xcb',
                           http_proxy='http://127.0.0.1:%d/' % proxy.server_port,
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QTWEBENGINE_DISABLE_SANDBOX='1',
                           QTWEBENGINE_CHROMIUM_FLAGS='--disable-gpu --disable-background-networking')
        self.config = self.home + '/.config/bidbench/Talvex Bidbench.ini'
        self.favorites = self.home + '/.local/share/bidbench/Favorites'
        os.makedirs(os.path.dirname(self.config), mode=0o700)
        pathlib.Path(self.config).write_text(settings)
        self.process = quietly(PROGRAM, env=environment)

    def end(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)  # ends as a logout would, saving
            try:
                self.process.wait(15)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


# The program's accessibility tree, as a screen reader reads it.
class Accessible:
    def __init__(self, pid):
        warnings.simplefilter('ignore', ImportWarning)  # the bindings' own, on every import
        import pyatspi  # only now: it connects to the session bus of this desktop
        self.atspi = pyatspi
        self.pid = pid

    @staticmethod
    def children(node):
        return [child for child in map(node.getChildAtIndex, range(node.childCount)) if child is not None]

    def walk(self, node, showing_only):
        try:
            role, name, state, children = node.getRoleName(), node.name, node.getState(), self.children(node)
        except Exception:  # an object that went away while we read
            return
        if role == 'document web' or (showing_only and not state.contains(self.atspi.STATE_SHOWING)):
            return
        yield role, name, state
        for child in children:
            yield from self.walk(child, showing_only)

    def windows(self):
        apps = self.children(self.atspi.Registry.getDesktop(0))
        return next((self.children(app) for app in apps if app.get_process_id() == self.pid), [])

    # The shown window of this title; the main window's is followed by its page's.
    def window(self, title):
        return wait_for('the window "%s"' % title, lambda: next(
            (w for w in self.windows() if title in (w.name, w.name.partition(' > ')[0] + ' >') and
             w.getState().contains(self.atspi.STATE_SHOWING)), None))

    # Every control a person can operate that a screen reader could not name, shown or not.
    def unnamed(self, window):
        return [role for role, name, state in self.walk(window, showing_only=False)
                if (role in OPERABLE or (state.contains(self.atspi.STATE_FOCUSABLE) and role != 'label'))
                and not name.strip()]

    # The innermost control with the keyboard focus (the tab strip marks its own tab as focused).
    def focused(self):
        found = [role + ' ' + name for window in self.windows() for role, name, state in self.walk(window, True)
                 if state.contains(self.atspi.STATE_FOCUSED) and role != 'page tab']
        return found[-1] if found else ''

    # The main window's status bar: the pane it names.
    def status(self, window):
        return next((name for role, name, _ in self.walk(window, True)
                     if role == 'label' and name in ('Talvex', 'Auction Browser')), '')


class Journeys(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop()
        cls.proxy = Proxy()

    @classmethod
    def tearDownClass(cls):
        cls.proxy.shutdown()
        cls.proxy.server_close()
        cls.desktop.close()

    def run_program(self, logged_in=True, **settings):
        self.proxy.log.clear()
        program = Bidbench(self.proxy, **settings)
        self.addCleanup(program.end)
        self.a11y = Accessible(program.process.pid)
        if logged_in:
            wait_for('the login', lambda: self.proxy.asked('/secure/login.cfm', 'POST'))
            self.main_window()
        return program

    # Once it has the keyboard: the window manager gives it a moment after a window closes.
    def main_window(self):
        wait_for('the main window to have the keyboard', lambda: active_title().startswith('Talvex Bidbench >'))
        return self.a11y.window('Talvex Bidbench >')

    # Alt+letter switches the tabs: the keyboard is the main window's.
    def assert_tab_keys(self):
        window = self.main_window()
        for key, pane in (('alt+a', 'Auction Browser'), ('alt+l', 'Talvex')):
            keys(key)
            wait_for('Alt key to show ' + pane, lambda: self.a11y.status(window) == pane, 5)

    def test_typed_address_enter_then_snipe_from_the_box(self):
        self.run_program()
        keys('alt+a', 'Tab')  # from the tab strip to the address box
        self.assertEqual(self.a11y.focused(), 'text Address')
        keys('ctrl+a')
        type_text('http://www.ebay.com/itm/123456789012')
        keys('Return')
        wait_for('the item page', lambda: self.proxy.asked('/itm/123456789012'))
        wait_for('its title', lambda: active_title().endswith('Page 123456789012'))
        keys('ctrl+z')  # the focus is still in the address box
        snipe = wait_for('the snipe page', lambda: self.proxy.asked('/secure/login.cfm?item_number=123456789012'))
        self.assertIn('talvex=logged-in', snipe[0]['cookie'])
        # From a text field of the page, Ctrl+Z snipes too rather than undoing the field.
        keys('alt+a', 'Tab', 'Tab', 'x', 'ctrl+z')
        wait_for('the second snipe', lambda: len(self.proxy.asked('/secure/login.cfm?item_number=')) == 2)

    def test_every_control_has_a_name_on_both_tabs(self):
        self.run_program()
        window = self.main_window()
        self.assertEqual(self.a11y.unnamed(window), [])
        keys('alt+a')
        wait_for('the auction tab', lambda: self.a11y.status(window) == 'Auction Browser', 5)
        self.assertEqual(self.a11y.unnamed(window), [])
        # The tab order reaches the address box and the pane, and comes back round.
        focus = [keys('Tab') or self.a11y.focused() for _ in range(3)]
        self.assertEqual(focus, ['text Address', 'filler Auction page', 'page tab list Auction Browser '])

    def test_alt_keys_after_an_import_and_each_modal_window(self):
        program = self.run_program()
        # A file that is no bookmark file is refused in a message; then one is imported.
        for name, content in (('notes.html', 'no bookmarks'), ('bookmarks.html', BOOKMARKS)):
            source = os.path.join(program.home, name)
            pathlib.Path(source).write_text(content)
            keys('alt+v', 'i')
            self.a11y.window('Import Netscape Bookmarks to Favorites')
            type_text(source)
            keys('Return')
            if content != BOOKMARKS:
                self.a11y.window('Talvex Bidbench')
                keys('Return')
            self.assert_tab_keys()
        self.assertTrue(os.path.exists(os.path.join(program.favorites, 'Auctions/Lamp.url')))
        # Each window is read by the screen reader, left by keys, and gives the keyboard back.
        for menu, title, leave in (('alt+v s', 'Favorite Sellers List', 'alt+c'),
                                   ('alt+v Up Up Up Return', 'Favorite Auction Searches', 'alt+c'),
                                   ('alt+v v', 'Browser Favorites', 'alt+F4'),
                                   ('alt+t t', 'Save your Talvex Password', 'Escape'),
                                   ('alt+h a', 'About Bidbench', 'Return')):
            keys(*menu.split())
            self.assertEqual(self.a11y.unnamed(self.a11y.window(title)), [], title)
            keys(leave)
            self.assert_tab_keys()

    def test_floating_toolbar_by_keys_alone(self):
        self.run_program()
        keys('ctrl+t')
        self.assertEqual(self.a11y.unnamed(self.a11y.window('Talvex Bidbench')), [])
        wait_for('the item box', lambda: self.a11y.focused() == 'text eBay Item #', 5)
        type_text('000123')
        keys('Tab', 'space')
        snipe = wait_for('the snipe page', lambda: self.proxy.asked('/secure/login.cfm?item_number=000123'))
        self.assertIn('talvex=logged-in', snipe[0]['cookie'])
        self.assert_tab_keys()

    def test_welcome_screen_by_keys(self):
        program = self.run_program(logged_in=False, settings='[Main]\nUser=ann\nPassword=pw\n')
        self.assertEqual(self.a11y.unnamed(self.a11y.window('Welcome to Talvex Bidbench')), [])
        keys('alt+a', 'alt+y')  # "do not show again", then Yes
        wait_for('the login', lambda: self.proxy.asked('/secure/login.cfm', 'POST'))
        self.assertIn('StartScreen=N', pathlib.Path(program.config).read_text())
        self.assert_tab_keys()

    def test_update_offer_and_error_window_give_the_keyboard_back(self):
        for answer, title, leave in (
                ('<status><newversion>1</newversion><message>Fixes</message></status>', 'New Version Available.', 'alt+l'),
                ('<status>' + 'x' * 20, 'Talvex Bidbench Error', 'alt+c')):
            with self.subTest(title):
                self.proxy.version_answer = answer
                program = self.run_program(logged_in=False)
                self.assertEqual(self.a11y.unnamed(self.a11y.window(title)), [])
                keys(leave)
                self.assert_tab_keys()
                program.end()
        self.proxy.version_answer = ''


if __name__ == '__main__':
    unittest.main(verbosity=2)
