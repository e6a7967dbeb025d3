-- The mail index of `ombrel`, schema version 2 (PRAGMA user_version; PRAGMA application_id
-- tells the program's databases from others). Every statement creates only what is missing, so
-- that an index of version 1 is upgraded by running it over what it keeps (see cli/MailIndex.cpp).

-- A message base that `ombrel index` reads: its folder's directory, its folder path for the
-- user, and how far indexing has come through it.
CREATE TABLE IF NOT EXISTS folders (
    id INTEGER PRIMARY KEY,
    directory TEXT NOT NULL UNIQUE,
    path TEXT NOT NULL,
    done INTEGER NOT NULL DEFAULT 0,          -- messages taken, from the start of the base
    last_offset INTEGER NOT NULL DEFAULT -1,  -- index entry of the last message taken:
    last_size INTEGER NOT NULL DEFAULT -1     --   record offset and message size
);

-- The index's own settings: "data_directory", the store that `ombrel index` read last, as the
-- folders' directories are relative to it.
CREATE TABLE IF NOT EXISTS settings (
    name TEXT PRIMARY KEY,
    value TEXT
);

-- One message: from a folder's base (folder_id, position) or an imported e-mail event
-- (import_key). Its id is never given to another message.
CREATE TABLE IF NOT EXISTS messages (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
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
    body TEXT,              -- every text part; HTML as the text it shows
    attachments TEXT,       -- "[name]" for each attachment and named inline part
    format TEXT,
    mail_flags INTEGER,     -- bit 0: flagged, bit 1: has attachments
    folder_path TEXT,
    message_id TEXT,        -- "<...>"
    in_reply_to TEXT,
    refs TEXT,              -- the message ids of "References", separated by spaces
    thread TEXT,            -- the message id that starts the conversation
    status INTEGER,         -- the status word of the folder's index entry
    stored_size INTEGER,    -- of the message text in the base, to tell it is still there
    UNIQUE (folder_id, position)
);

CREATE INDEX IF NOT EXISTS messages_received ON messages (received);
CREATE INDEX IF NOT EXISTS messages_thread ON messages (thread);

CREATE VIRTUAL TABLE IF NOT EXISTS message_text USING fts5 (
    subject, sender, recipients, cc, bcc, body, attachments, folder_path,
    content = 'messages', content_rowid = 'id', tokenize = 'unicode61 remove_diacritics 2'
);

CREATE TRIGGER IF NOT EXISTS messages_added AFTER INSERT ON messages BEGIN
    INSERT INTO message_text (rowid, subject, sender, recipients, cc, bcc, body, attachments,
                              folder_path)
    VALUES (new.id, new.subject, new.sender, new.recipients, new.cc, new.bcc, new.body,
            new.attachments, new.folder_path);
END;

CREATE TRIGGER IF NOT EXISTS messages_removed AFTER DELETE ON messages BEGIN
    INSERT INTO message_text (message_text, rowid, subject, sender, recipients, cc, bcc, body,
                              attachments, folder_path)
    VALUES ('delete', old.id, old.subject, old.sender, old.recipients, old.cc, old.bcc, old.body,
            old.attachments, old.folder_path);
END;

-- bad_messages (folder_id, position): the messages of a base that did not read, tried again by
-- every run; cli/BadMessages.cpp makes the table in any index that lacks it.
