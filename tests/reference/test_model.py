"""The reference model reproduces every value the program's rules state."""

import math
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import model  # noqa: E402

F32_MAX = model.to_f32(3.4028234663852886e38)


def nearest(value):
    return model.to_f32(value)


class SinglePrecision(unittest.TestCase):
    def test_rounding(self):
        # double in, float out
        cases = [
            (1.0 + 2.0**-24, 1.0),  # a tie, to even
            (1.0 + 3 * 2.0**-24, 1.0 + 2.0**-22),  # a tie, to even upwards
            (1.0 + 2.0**-24 + 2.0**-50, 1.0 + 2.0**-23),
            (2.0**-149, 2.0**-149),
            (2.0**-150, 0.0),  # a tie between zero and the smallest subnormal
            (2.0**-150 * 1.5, 2.0**-149),
            (3.4028235677973366e38, math.inf),  # halfway to 2^128 rounds to even
            (3.4028235677973362e38, F32_MAX),
            (-1e39, -math.inf),
            (0.1, 0.100000001490116119384765625),
        ]
        for value, expected in cases:
            self.assertEqual(model.to_f32(value), expected, value)
        self.assertTrue(model.signbit(model.to_f32(-0.0)))
        self.assertTrue(model.signbit(model.to_f32(-2.0**-151)))
        nan = model.to_f32(math.inf * 0.0)
        self.assertTrue(math.isnan(nan))


class Format(unittest.TestCase):
    def test_examples(self):
        # stored value, text written
        cases = [
            (1.0, "1"),
            (-2.25, "-2.25"),
            (0.5, "0.5"),
            (nearest(0.1), "0.1"),
            (nearest(1 / 3), "0.333333"),
            (nearest(123456.7), "123457"),
            (999999.0, "999999"),
            (1000000.0, "1e+06"),
            (1234567.0, "1.23457e+06"),
            (nearest(0.0001), "0.0001"),
            (nearest(0.00001), "1e-05"),
            (1.015625, "1.01562"),
            (16777216.0, "1.67772e+07"),
            (F32_MAX, "3.40282e+38"),
            (999999.5, "1e+06"),
            (2.0**-149, "1.4013e-45"),
            (1.0 + 2.0**-21, "1"),
            (0.0, "0"),
            (-0.0, "-0"),
            (math.inf, "Infinity"),
            (-math.inf, "-Infinity"),
            (math.nan, "NaN"),
            (-math.nan, "-NaN"),
        ]
        for value, text in cases:
            self.assertEqual(model.format_float(value), text, value)


class Numerics(unittest.TestCase):
    def test_dot_product_rounding_cases(self):
        a = [2.0**-12, 1.0 + 2.0**-12]
        self.assertEqual(model.dot_product(a, a), 1.0 + 2.0**-11 + 2.0**-23)
        self.assertEqual(model.dot_product([1.0, 2.0**-24, 2.0**-24], [1.0] * 3), 1.0)
        self.assertEqual(model.dot_product([], []), 0.0)

    def test_powers(self):
        self.assertEqual(model.power_vector(2, [-2.0, -0.5, 0.0]), [4.0, 0.25, 0.0])
        self.assertEqual(model.power_vector(3, [-2.0, -0.5, 0.0]), [-8.0, -0.125, 0.0])
        self.assertEqual(model.power_vector(0, [0.0, 5.0]), [1.0, 1.0])
        x0 = 1.0 + 2.0**-12
        phi = [model.power_vector(i, [x0]) for i in range(4)]
        self.assertEqual(phi[2], [1.0 + 2.0**-11])
        self.assertEqual(phi[3], [1.0 + 3 * 2.0**-12 + 2.0**-22])
        self.assertEqual(model.dot_product(phi[1], phi[2]), 1.0 + 3 * 2.0**-12 + 2.0**-23)
        self.assertEqual(model.dot_product(phi[0], phi[3]), nearest(1.00073266))

    def test_overflow(self):
        x = [model.to_f32(1e20)]
        phi = [model.power_vector(i, x) for i in range(3)]
        self.assertEqual(phi[2], [math.inf])
        self.assertEqual(model.dot_product(phi[1], phi[1]), math.inf)
        self.assertTrue(math.isnan(model.dot_product([0.0], phi[2])))

    def test_inversions(self):
        t = nearest(0.333333343)
        # input rows, expected rows
        cases = [
            ([[4.0]], [[0.25]]),
            ([[3.0]], [[nearest(0.333333343)]]),
            ([[2.0, 0, 0], [0, 4.0, 0], [0, 0, 8.0]], [[0.5, 0, 0], [0, 0.25, 0], [0, 0, 0.125]]),
            ([[2.0, 3.0], [4.0, 5.0]], [[-2.5, 1.5], [2.0, -1.0]]),
            ([[0.0, 1.0], [1.0, 0.0]], [[0.0, 1.0], [1.0, 0.0]]),
            ([[0.0, 2.0], [4.0, 0.0]], [[0.0, 0.25], [0.5, 0.0]]),
            ([[0.0, 1, 0], [0, 0, 1], [1, 0, 0]], [[0.0, 0, 1], [1, 0, 0], [0, 1, 0]]),
            (
                [[0.0, 3, 6], [4, 2, 8], [1, 3, 5]],
                [
                    [nearest(-0.583333373), nearest(0.124999985), nearest(0.50000006)],
                    [nearest(-0.50000006), nearest(-0.25000003), nearest(1.00000012)],
                    [nearest(0.416666687), nearest(0.125000015), nearest(-0.50000006)],
                ],
            ),
            ([[1.0, t], [3.0, 1.0]], [[-33554432.0, 11184811.0], [100663296.0, -33554432.0]]),
            ([[2.0**-149]], [[math.inf]]),
            ([], []),
        ]
        for matrix, expected in cases:
            self.assertEqual(model.invert(matrix), expected, matrix)
        singular = [
            [[1.0, 1.0], [1.0, 1.0]],
            [[0.0, 1.0], [0.0, 1.0]],
            [[0.0]],
            [[-0.0]],
            [[2.0, 1, 1], [1, 1, 1], [1, 1, 1]],
        ]
        for matrix in singular:
            self.assertIsNone(model.invert(matrix), matrix)

    def test_worked_example_numbers(self):
        inverse = model.invert([[3.0, 3.0], [3.0, 5.0]])
        self.assertEqual(inverse, [[nearest(0.833333373), -0.5], [-0.5, 0.5]])
        self.assertEqual(model.dot_product(inverse[0], [9.0, 13.0]), 1.0 + 2.0**-21)
        self.assertEqual(model.dot_product(inverse[1], [9.0, 13.0]), 2.0)

    def test_degree_zero_means(self):
        for values, mean in [([1.0, 2, 2, 2, 2, 2, 2], nearest(1.85714293)), ([1.0, 3, 5], 3.0)]:
            inverse = model.invert([[float(len(values))]])
            self.assertEqual(model.dot_product(inverse[0], [sum(values)]), mean)


WORKED_EXAMPLE = (
    "This program finds the polynomial which fits best to a given set of data points.\n\n"
    "Please enter the number of your data points: \nPlease enter your data points:\n"
    "x[0]=   f(x[0])=x[1]=   f(x[1])=x[2]=   f(x[2])="
    "What is the degree of the polynomial that you would like to fit to this data? "
    "tabphi(0)= 1   1   1   \n\ntabphi(1)= 0   1   2   \n\ntabf= 1   3   5   \n\n"
    "The A matrix is\n\n3   3   \n\n3   5   \n\nThe B vector is\n\nB= 9   13   \n\n"
    "C[0]=1\nC[1]=2\n\n\nThe function which best fits the data is \n\n(1)+(2)*x^1\n\n"
)


class WholeRun(unittest.TestCase):
    def test_worked_example(self):
        self.assertEqual(model.run(b"3\n0\n1\n1\n3\n2\n5\n1\n"), (WORKED_EXAMPLE, 0))
        self.assertEqual(model.run(b"3 0 1 1 3 2 5 1"), (WORKED_EXAMPLE, 0))

    def test_reading_rules(self):
        output, status = model.run(b"2.7 1 3 5 1")
        self.assertEqual(status, 0)
        self.assertIn("tabphi(1)= 0.7   3   \n", output)
        output, status = model.run(b"1 1e 2 0")
        self.assertEqual(status, model.BAD_INPUT)
        self.assertTrue(output.endswith('x[0]=\nError: expected a number for x[0], found "1e".\n'))

    def test_refusals(self):
        self.assertEqual(model.run(b"0")[1], model.BAD_INPUT)
        self.assertEqual(model.run(b"1 1 2 -1")[1], model.BAD_INPUT)
        output, status = model.run(b"2 0 1 1 2 2")
        self.assertEqual(status, model.NO_FIT)
        self.assertIn("B= 3   2   2   \n\nError: no polynomial of degree 2", output)
        self.assertEqual(model.run(b"1 1 2 2147483647")[1], model.OUT_OF_MEMORY)


if __name__ == "__main__":
    unittest.main()
