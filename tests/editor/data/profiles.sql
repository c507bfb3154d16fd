-- Profiles for the editor's batch: one group, one profile in it whose name has spaces.
CREATE TABLE groups (group_id INTEGER, name TEXT);
CREATE TABLE profiles (profile_id INTEGER, name TEXT, note TEXT);
CREATE TABLE profiles_groups (profile_id INTEGER, group_id INTEGER);
CREATE TABLE fields (name TEXT, value TEXT, field_type TEXT, group_id INTEGER, profile_id INTEGER);
CREATE TABLE Last_Used_Groups_Profiles (group_id TEXT, profile_id TEXT);
INSERT INTO groups VALUES (1, 'Book club');
INSERT INTO profiles VALUES (10, 'Alice at home', NULL);
INSERT INTO profiles_groups VALUES (10, 1);
INSERT INTO fields VALUES ('Item', 'novel', '0', 1, NULL);
INSERT INTO fields VALUES ('Price', '9.99', '0', 1, NULL);
INSERT INTO fields VALUES ('Name', 'Alice Brown', '0', NULL, 10);
