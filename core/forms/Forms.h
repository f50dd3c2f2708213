#pragma once
// Every form the program prints, by kind: the one list of them. Adding a form
// means adding its description here and, for a window, in app/Composition.cpp.
#include "core/print/FormDescription.h"

#include <span>

const FormDescription& Form(FormKind kind);
// A postal slip: crowns in `suma`, a tens-of-hellers digit in `hal`, and
// rules that are each one field's own.
constexpr bool IsSlip(FormKind kind)
{
    return kind == FormKind::SlipA || kind == FormKind::SlipC || kind == FormKind::SlipD;
}
std::span<const FormKind> AllForms();
// The form a zelvana-batch --form value names (case does not matter); nothing
// for an unknown name.
const FormDescription* FormByOptionName(const QString& name);
