"""polyfit at a real terminal: a pseudo-terminal, typed answers, the closing pause.

The test behaves like a person: it waits until a question is on the screen before
it types the answer, so a prompt that is not flushed before a read fails it.

    test_terminal.py PROGRAM
"""

import os
import pty
import select
import sys
import termios
import time
import unittest

PROGRAM = None
PAUSE = "Press any key to continue . . . "

WORKED_EXAMPLE_SCREEN = """\
This program finds the polynomial which fits best to a given set of data points.

Please enter the number of your data points: 3

Please enter your data points:
x[0]=0
   f(x[0])=1
x[1]=1
   f(x[1])=3
x[2]=2
   f(x[2])=5
What is the degree of the polynomial that you would like to fit to this data? 1
tabphi(0)= 1   1   1   \n\
\n\
tabphi(1)= 0   1   2   \n\
\n\
tabf= 1   3   5   \n\
\n\
The A matrix is

3   3   \n\
\n\
3   5   \n\
\n\
The B vector is

B= 9   13   \n\
\n\
C[0]=1
C[1]=2


The function which best fits the data is \n\
\n\
(1)+(2)*x^1

"""


class Terminal:
    """The program on a pseudo-terminal, and the screen as text (CR-LF as LF)."""

    def __init__(self):
        self.pid, self.master = pty.fork()
        if self.pid == 0:
            os.execv(PROGRAM, [PROGRAM])
        self.screen = ""

    def read_for(self, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            ready, _, _ = select.select([self.master], [], [], 0.05)
            if ready:
                try:
                    data = os.read(self.master, 65536)
                except OSError:
                    return
                if not data:
                    return
                self.screen += data.decode("latin-1").replace("\r\n", "\n")

    def wait_for(self, text, seconds=5.0):
        """Reads until the screen ends with `text`; False if it never does."""
        deadline = time.monotonic() + seconds
        while not self.screen.endswith(text) and time.monotonic() < deadline:
            self.read_for(0.05)
        return self.screen.endswith(text)

    def type(self, text):
        os.write(self.master, text.encode("latin-1"))

    def running(self):
        return os.waitpid(self.pid, os.WNOHANG) == (0, 0)

    def exit_status(self, seconds=5.0):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                self.read_for(0.1)
                return os.waitstatus_to_exitcode(status)
            self.read_for(0.05)
        os.kill(self.pid, 9)
        raise AssertionError("the program did not end")

    def mode(self):
        return termios.tcgetattr(self.master)[3]  # the local flags


class AtATerminal(unittest.TestCase):
    def answer_each_prompt(self, terminal, answers):
        for prompt, answer in answers:
            self.assertTrue(terminal.wait_for(prompt), "no prompt %r on the screen:\n%s"
                            % (prompt, terminal.screen))
            terminal.type(answer + "\n")

    def test_worked_example_one_prompt_at_a_time(self):
        terminal = Terminal()
        mode_before = terminal.mode()
        self.answer_each_prompt(terminal, [
            ("points: ", "3"),
            ("x[0]=", "0"), ("f(x[0])=", "1"),
            ("x[1]=", "1"), ("f(x[1])=", "3"),
            ("x[2]=", "2"), ("f(x[2])=", "5"),
            ("data? ", "1"),
        ])
        self.assertTrue(terminal.wait_for(PAUSE), terminal.screen)
        self.assertEqual(terminal.screen, WORKED_EXAMPLE_SCREEN + PAUSE)
        terminal.read_for(0.5)
        self.assertTrue(terminal.running(), "the pause must wait for a key")
        terminal.type("q")
        self.assertEqual(terminal.exit_status(), 0)
        self.assertEqual(terminal.screen, WORKED_EXAMPLE_SCREEN + PAUSE + "\n")
        self.assertEqual(terminal.mode(), mode_before)
        self.assertTrue(terminal.mode() & termios.ECHO and terminal.mode() & termios.ICANON)

    def type_all_at_once(self, line):
        """Starts a run, types the whole input as one line at the first prompt and
        waits for the pause. Returns the terminal and its mode before the pause."""
        terminal = Terminal()
        self.assertTrue(terminal.wait_for("points: "))
        mode_before = terminal.mode()
        terminal.type(line + "\n")
        self.assertTrue(terminal.wait_for(PAUSE), terminal.screen)
        return terminal, mode_before

    def test_several_values_on_one_line(self):
        terminal, _ = self.type_all_at_once("3 0 1 1 3 2 5 1")
        self.assertIn("3 0 1 1 3 2 5 1\n\nPlease enter your data points:\n"
                      "x[0]=   f(x[0])=x[1]=   f(x[1])=x[2]=   f(x[2])=What is the degree",
                      terminal.screen)
        terminal.type(" ")
        self.assertEqual(terminal.exit_status(), 0)

    def test_ctrl_c_at_the_pause_ends_the_run_and_restores_the_terminal(self):
        terminal, mode_before = self.type_all_at_once("1 2 3 0")
        self.assertIn("(3)\n\n", terminal.screen)
        terminal.type("\x03")
        self.assertEqual(terminal.exit_status(), 0)
        self.assertEqual(terminal.mode(), mode_before)

    def test_a_failed_run_pauses_too(self):
        terminal, mode_before = self.type_all_at_once("two")
        # The echoed Enter ends the typed line; the program ends the prompt's line
        # as it does in a pipe, which leaves one blank line, as after every answer.
        self.assertTrue(terminal.screen.endswith(
            'points: two\n\nError: expected the number of data points (a whole number from 1 '
            'to 2147483647), found "two".\n' + PAUSE), terminal.screen)
        terminal.read_for(0.3)
        self.assertTrue(terminal.running())
        terminal.type("\n")
        self.assertEqual(terminal.exit_status(), 1)
        self.assertEqual(terminal.mode(), mode_before)


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main()
