#include "Calculator.h"

#include <boost/spirit/include/classic_attribute.hpp>
#include <boost/spirit/include/classic_core.hpp>
#include <boost/spirit/include/phoenix1_binders.hpp>
#include <boost/spirit/include/phoenix1_operators.hpp>
#include <boost/spirit/include/phoenix1_primitives.hpp>

namespace {

using namespace BOOST_SPIRIT_CLASSIC_NS;
using phoenix::arg1;
using phoenix::var;

struct calc_closure : closure<calc_closure, double> {
  member1 val;
};

// Every rule carries its double; the operators fold left to right.
struct calculator : public grammar<calculator, calc_closure::context_t> {
  template <typename ScannerT>
  struct definition {
    explicit definition(calculator const& self) {
      top = expression[self.val = arg1];
      expression = term[expression.val = arg1] >>
                   *(('+' >> term[expression.val += arg1]) | ('-' >> term[expression.val -= arg1]));
      term = factor[term.val = arg1] >> *(('*' >> factor[term.val *= arg1]) | ('/' >> factor[term.val /= arg1]));
      factor = ureal_p[factor.val = arg1] | ('(' >> expression[factor.val = arg1] >> ')') |
               ('-' >> factor[factor.val = -arg1]) | ('+' >> factor[factor.val = arg1]);
    }
    typedef rule<ScannerT, calc_closure::context_t> rule_t;
    rule_t expression, term, factor;
    rule<ScannerT> top;
    rule<ScannerT> const& start() const { return top; }
  };
};

}  // namespace

int Calculate(double& value, const char* text) {
  value = 0.0;
  if (text == nullptr || *text == '\0') return -1;
  try {
    calculator calc;
    double result = 0.0;
    const parse_info<const char*> info = parse(text, calc[var(result) = arg1]);
    if (!info.full) return -1;
    value = result;
    return 0;
  } catch (...) {
    return -1;
  }
}
