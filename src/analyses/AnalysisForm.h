#pragma once
// What every facility window shares: the usual two pages (inputs, then the
// result), and for the windows that read manual tables, the tables opened
// when the window is created and kept while it lives.
#include "form/Form.h"
#include "tables/WindowTables.h"

namespace verosa::analyses {

class AnalysisForm : public form::Form {
public:
    static constexpr int kInputPage = 0;
    static constexpr int kResultPage = 1;

protected:
    using form::Form::Form;
};

// A window with manual tables: they are opened right after the window is
// created (a missing one is shown then) and asked for again by every analysis,
// which refuses with the missing table's name until the file is back.
template <class Tables>
class TabledForm : public AnalysisForm {
protected:
    TabledForm(form::FormContext context, typename tables::WindowTables<Tables>::Opener open)
        : AnalysisForm(context), tables_(open) {}
    void onOpen() override { tables(); }
    const Tables& tables() { return tables_.get(context().tables); }

private:
    tables::WindowTables<Tables> tables_;
};

}  // namespace verosa::analyses
