// The arithmetic of formula fields: + - * / with the usual precedence, parentheses, unary signs and
// unsigned real numbers, over a narrow string from which names were already replaced by values.
#pragma once

// 0 and the value when the whole text is one expression; -1 and 0.0 otherwise (also for an empty
// text or anything left over). Division by zero gives the floating-point infinity.
int Calculate(double& value, const char* text);
