#pragma once
// The "Map classes" and "Model classes" pages: one class for both. Each has
// a list of classes with Add and Remove, and the options of the selected
// class with New, Edit and Remove. Every change is written to the class's
// file at once.

#include <string>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/panel.h>

#include "app/page_parts.h"
#include "app/window_ids.h"
#include "ui_logic/option_changes.h"

enum class ClassKind { Map, Model };

class ClassTabPanel : public wxPanel, private MainWindowIds {
public:
    // classChoice: for map classes, the Maps page's "Map class" choice,
    // which offers the same classes and is kept in step.
    ClassTabPanel(wxWindow* notebook, ClassKind kind, PageContext& context,
                  wxChoice* classChoice = nullptr);

    // Lists a class (also in classChoice) at start-up and after an add;
    // returns its place in the sorted list.
    int ListClass(const std::string& name);

    // The page's handlers.
    void OnClassSelected();
    void OnAddClass();
    void OnRemoveClass();
    void OnNewOption();
    void OnEditOption();
    void OnRemoveOption();

    // Opens the texture option editor with this texture name, for a map
    // class that need not be the selected one (map classes only).
    void NewTextureOptionFor(const std::string& mapClassName, const std::string& texture);

private:
    void Build();
    // Rebuilds the option list from the catalogue; an empty name leaves it.
    void RefreshOptions(const std::string& className);
    std::string ClassDirectory() const;
    std::string SelectedClass() const;
    // The selected option row, or -1 when there is none or the class holds
    // no option at that row.
    int SelectedOptionRow(const std::string& className);
    // Shows the option editor (filled from option `row` unless it is -1) and
    // applies `change` with what it returns; nothing when the user declines.
    template <class Option>
    void EditOption(const std::string& className, OptionChange change, int row);
    // The change, saved at once; a failure is shown and undone.
    template <class Option>
    void ApplyChange(const std::string& className, OptionChange change, int row,
                     const Option& option);

    const ClassKind kind;
    PageContext& context;
    wxChoice* classChoice;
    wxListBox* classList;      // ID_LISTBOX2 / ID_LISTBOX4
    wxListBox* optionList;     // ID_LISTBOX3 / ID_LISTBOX5
};
