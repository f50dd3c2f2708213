#include "core/forms/Forms.h"

#include "core/forms/envelope/EnvelopeForm.h"
#include "core/forms/payment/PaymentForm.h"
#include "core/forms/slips/SlipForms.h"

#include <stdexcept>

const FormDescription& Form(FormKind kind)
{
    switch (kind) {
    case FormKind::SlipA:
        return SlipAForm();
    case FormKind::SlipC:
        return SlipCForm();
    case FormKind::SlipD:
        return SlipDForm();
    case FormKind::Payment:
        return PaymentForm();
    case FormKind::Envelope:
        break;
    case FormKind::User:
        // Each user form is its own description, made from its layout file.
        throw std::invalid_argument("Form(): a user form has no built-in description");
    }
    return EnvelopeForm();
}

std::span<const FormKind> AllForms()
{
    static constexpr FormKind kinds[] = {FormKind::SlipA, FormKind::SlipC, FormKind::SlipD, FormKind::Envelope,
                                             FormKind::Payment};
    static_assert(std::size(kinds) == FormKindCount);
    return kinds;
}

const FormDescription* FormByOptionName(const QString& name)
{
    for (FormKind kind : AllForms()) {
        const FormDescription& form = Form(kind);
        if (name.compare(QString::fromUtf8(form.optionName), Qt::CaseInsensitive) == 0
            || name.compare(QString::fromUtf8(form.userName), Qt::CaseInsensitive) == 0)
            return &form;
    }
    return nullptr;
}
