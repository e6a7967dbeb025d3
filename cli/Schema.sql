-- The mail index of `ombrel`, schema version 1 (PRAGMA user_version; PRAGMA application_id
-- tells the program's databases from others).

-- A message base that `ombrel index` reads: its folder's directory, its folder path for the
-- user, and how far indexing has come through it.
CREATE TABLE folders (
    id INTEGER PRIMARY KEY,
    directory TEXT NOT NULL UNIQUE,
    path TEXT NOT NULL,
    done INTEGER NOT NULL DEFAULT 0,          -- messages taken, from the start of the base
    last_offset INTEGER NOT NULL DEFAULT -1,  -- index entry of the last message taken:
    last_size INTEGER NOT NULL DEFAULT -1     --   record offset and message size
);

-- One e-mail event: from a folder's base (folder_id, position) or imported (import_key).
CREATE TABLE messages (
    id INTEGER PRIMARY KEY,
    folder_id INTEGER REFERENCES folders (id),
    position INTEGER,
    import_key TEXT UNIQUE,
    received TEXT,          -- "YYYY-MM-DD HH:MM:SS"
    subject TEXT,
    sender TEXT,
    recipients TEXT,
    cc TEXT,
    bcc TEXT,
    reply_to TEXT,
    body TEXT,              -- the body text; HTML as the text it shows
    attachments TEXT,       -- "[name]" for each attachment
    format TEXT,
    mail_flags INTEGER,
    folder_path TEXT,
    UNIQUE (folder_id, position)
);

CREATE VIRTUAL TABLE message_text USING fts5 (
    subject, sender, recipients, cc, body, attachments, folder_path,
    content = 'messages', content_rowid = 'id', tokenize = 'unicode61 remove_diacritics 2'
);

CREATE TRIGGER messages_added AFTER INSERT ON messages BEGIN
    INSERT INTO message_text (rowid, subject, sender, recipients, cc, body, attachments,
                              folder_path)
    VALUES (new.id, new.subject, new.sender, new.recipients, new.cc, new.body, new.attachments,
            new.folder_path);
END;

CREATE TRIGGER messages_removed AFTER DELETE ON messages BEGIN
    INSERT INTO message_text (message_text, rowid, subject, sender, recipients, cc, body,
                              attachments, folder_path)
    VALUES ('delete', old.id, old.subject, old.sender, old.recipients, old.cc, old.body,
            old.attachments, old.folder_path);
END;

-- bad_messages (folder_id, position): the messages of a base that did not read, tried again by
-- every run; cli/BadMessages.cpp makes the table in any index that lacks it.
