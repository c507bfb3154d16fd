#include "FillForm.h"

CFillForm::CFillForm() : m_error(0) {}

CFillForm::~CFillForm() {}

int CFillForm::CheckError() const { return m_error; }
