#pragma once
// The main window's control identifiers: one class-wide value per control,
// drawn from the toolkit's generator at program start. Each control's window
// name is its identifier's text ("ID_BUTTON2"), so tests find it by name.

struct MainWindowIds {
    static const long ID_PANEL1;
    static const long ID_CHOICE2;
    static const long ID_BUTTON1;
    static const long ID_NOTEBOOK1;
    static const long ID_PANEL2;
    static const long ID_LISTBOX1;
    static const long ID_STATICTEXT7;
    static const long ID_TEXTCTRL8;
    static const long ID_BUTTON13;
    static const long ID_STATICTEXT2;
    static const long ID_CHOICE1;
    static const long ID_STATICTEXT3;
    static const long ID_TEXTCTRL2;
    static const long ID_BUTTON14;
    static const long ID_GAUGE1;
    static const long ID_STATICTEXT1;
    static const long ID_STATICTEXT9;
    static const long ID_STATICTEXT10;
    static const long ID_STATICTEXT8;
    static const long ID_STATICTEXT4;
    static const long ID_STATICTEXT11;
    static const long ID_BUTTON2;
    static const long ID_PANEL3;
    static const long ID_LISTBOX2;
    static const long ID_BUTTON6;
    static const long ID_BUTTON7;
    static const long ID_LISTBOX3;
    static const long ID_STATICTEXT5;
    static const long ID_TEXTCTRL6;
    static const long ID_BUTTON5;
    static const long ID_BUTTON4;
    static const long ID_BUTTON3;
    static const long ID_PANEL4;
    static const long ID_LISTBOX4;
    static const long ID_BUTTON8;
    static const long ID_BUTTON9;
    static const long ID_LISTBOX5;
    static const long ID_STATICTEXT6;
    static const long ID_TEXTCTRL7;
    static const long ID_BUTTON10;
    static const long ID_BUTTON11;
    static const long ID_BUTTON12;
    static const long ID_PANEL5;
    static const long ID_TEXTCTRL1;
    static const long ID_PANEL6;
    static const long ID_TEXTCTRL3;
    static const long ID_STATICTEXT12;
    static const long ID_TEXTCTRL9;
    static const long ID_BUTTON15;
    static const long ID_BUTTON16;
    static const long ID_CHECKBOX1;
    static const long ID_CHECKBOX2;
    static const long ID_STATICTEXT13;
    static const long ID_STATICTEXT14;
};
