#pragma once

#include "ui/TfLk2Vorm01.h"

class TDBEdit;
class TDBGrid;
class TDBMemo;
class THDBNavigator;

// "Tootegrupid": the product groups, each with the list of its further properties (one of which
// a client's product may name, titled by the group's "Lisaomaduse nimetus").
class TfTooteGrupid : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfTooteGrupid(const WindowContext &context, QWidget *parent = nullptr);

    TDBEdit *edTooteGrId() const { return m_id; }
    TDBEdit *edTooteGrNimi() const { return m_name; }
    TDBEdit *edTooteLisaTiitel() const { return m_title; }
    TDBMemo *mTooteGrKomment() const { return m_comment; }
    // The further properties of the current group.
    TDBGrid *dbgTooteLisa() const { return m_specs; }
    THDBNavigator *navTooteLisa() const { return m_specNavigator; }

private:
    TDBEdit *m_id;
    TDBEdit *m_name;
    TDBEdit *m_title;
    TDBMemo *m_comment;
    TDBGrid *m_specs;
    THDBNavigator *m_specNavigator;
};
