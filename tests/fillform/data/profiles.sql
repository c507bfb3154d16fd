-- A small profiles database as the outside editor keeps it. Ids are stored as the editor wrote them;
-- one group id holds a quote. Rows are in the order the tests expect them back.
CREATE TABLE groups (group_id INTEGER, name TEXT);
CREATE TABLE profiles (profile_id INTEGER, name TEXT, note TEXT);
CREATE TABLE profiles_groups (profile_id INTEGER, group_id INTEGER);
CREATE TABLE fields (name TEXT, value TEXT, field_type TEXT, group_id INTEGER, profile_id INTEGER);
CREATE TABLE Last_Used_Groups_Profiles (group_id TEXT, profile_id TEXT);

INSERT INTO groups VALUES (1, 'Clients');
INSERT INTO groups VALUES ('o''b', 'O''Brien & Co');
INSERT INTO groups VALUES (3, 'Контрагенты');
INSERT INTO groups VALUES (4, 'Clients');
INSERT INTO groups VALUES (5, 'Empty');

INSERT INTO profiles VALUES (10, 'Alice', NULL);
INSERT INTO profiles VALUES (11, 'Bob "the builder"', 'in two groups');
INSERT INTO profiles VALUES (12, 'Ünïcødé 名前', NULL);
INSERT INTO profiles VALUES (13, 'Loner', 'in no group');
INSERT INTO profiles VALUES (14, 'x'' OR ''1''=''1', NULL);

INSERT INTO profiles_groups VALUES (10, 1);
INSERT INTO profiles_groups VALUES (11, 1);
INSERT INTO profiles_groups VALUES (11, 'o''b');
INSERT INTO profiles_groups VALUES (12, 3);
INSERT INTO profiles_groups VALUES (14, 'o''b');

INSERT INTO fields VALUES ('Company', 'ACME', '0', 1, NULL);
INSERT INTO fields VALUES ('Rate', '12,5', '1', 1, NULL);
INSERT INTO fields VALUES ('City', 'Paris', '0', 1, NULL);
INSERT INTO fields VALUES ('Secret', 'not a field', '3', 1, NULL);
INSERT INTO fields VALUES ('Company', 'O''Brien''s', '0', 'o''b', NULL);
INSERT INTO fields VALUES ('Город', 'Москва', '0', 3, NULL);
INSERT INTO fields VALUES ('Company', 'Other Clients', '0', 4, NULL);
INSERT INTO fields VALUES ('Name', 'Alice', '0', NULL, 10);
INSERT INTO fields VALUES ('Company', 'Alice Ltd', '0', NULL, 10);
INSERT INTO fields VALUES ('Amount', '-', '2', NULL, 10);
INSERT INTO fields VALUES ('Note', 'first', '0', NULL, 10);
INSERT INTO fields VALUES ('Note', 'second', '0', NULL, 10);
INSERT INTO fields VALUES ('Name', 'Bob "the builder"', '0', NULL, 11);
INSERT INTO fields VALUES ('Rate', 'abc', '1', NULL, 11);
INSERT INTO fields VALUES ('Имя', 'Ünï ''名前''', '0', NULL, 12);
INSERT INTO fields VALUES ('Total', '3.25', '2', NULL, 12);
INSERT INTO fields VALUES ('Remark', NULL, '0', NULL, 13);
INSERT INTO fields VALUES ('Name', 'Injected', '0', NULL, 14);

INSERT INTO Last_Used_Groups_Profiles VALUES ('-2', '12');
INSERT INTO Last_Used_Groups_Profiles VALUES ('1', '10');
INSERT INTO Last_Used_Groups_Profiles VALUES ('1', '11');
