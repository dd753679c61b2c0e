#pragma once

class TempDatabase;

// The database all tests of the client list and the contact persons summary share: five clients
// (one named O'Brien, one named like an injected condition, one without an agent, one inactive, one
// with two classifiers and products of one group) and their contact persons, one without a client.
TempDatabase &clientsDatabase();
