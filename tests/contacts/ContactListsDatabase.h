#pragma once

class TempDatabase;

// The database the contact list tests share: two agents, three clients (one named O'Brien), two
// contact persons (one without numbers), four plans over the turn of January 2024 (one without a
// deadline, one without a person) and six contacts: performed, not performed, one whose flag was
// never set, a mass offer's own row and one of its lines.
TempDatabase &contactListsDatabase();
