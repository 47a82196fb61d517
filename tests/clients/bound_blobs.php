<?php
// bound_blobs.php - a PHP client (PDO_Firebird) binding text as BLOB
// arguments of the typed routines, over the network, in a NONE, a
// SJIS_0208 and a UTF8 connection to a database of set SET.  The server
// converts the bound BLOB to the set the argument is declared in, so the
// routines cut and case-map the database's characters whatever the
// connection's; stored binary, NONE and OCTETS BLOBs arrive as their bytes.
// With TIMEZONES "yes", a statement calling UDF_JDATE is prepared once and
// executed after each SET TIME ZONE, to +14:00 and to -12:00 (always two
// dates): today is each execution's CURRENT_DATE, through the scripts'
// declaration and through a user's own without TODAY.
//
//   php bound_blobs.php PORT DATABASE PASSWORD SET [TIMEZONES]
// Prints "N passed, N failed".
[$port, $database, $password, $set] = array_slice($argv, 1);
$timezones = ($argv[5] ?? 'no') === 'yes';
$encoding = ['SJIS_0208' => 'SJIS', 'UTF8' => 'UTF-8'][$set];
$passed = $failed = 0;

function check(bool $ok, string $what): void {
    global $passed, $failed;
    $ok ? $passed++ : $failed++;
    if (!$ok) echo "FAILED: $what\n";
}

$text = 'ａｂｃ日本xyz';
// Bytes 1 to 7 of it, whole characters only: two bytes each in SJIS_0208,
// three in UTF8.
$cut = ['SJIS_0208' => 'ｂｃ日', 'UTF8' => 'ｂ'][$set];
foreach (['UTF8' => 'UTF-8', 'SJIS_0208' => 'SJIS', 'NONE' => $encoding] as $connection => $client) {
    try {
        $db = new PDO("firebird:dbname=127.0.0.1/$port:$database;charset=$connection", 'SYSDBA',
                      $password, [PDO::ATTR_ERRMODE => PDO::ERRMODE_EXCEPTION]);
        $bound = mb_convert_encoding($text, $client, 'UTF-8');
        $query = $db->prepare('SELECT CAST(UDF_BLOBSJISUPPER(?) AS VARCHAR(40)) AS UP, ' .
                              'UDF_BLOBSUBSTR(?, 1, 7) AS CUT FROM RDB$DATABASE');
        $query->bindValue(1, $bound, PDO::PARAM_LOB);
        $query->bindValue(2, $bound, PDO::PARAM_LOB);
        $query->execute();
        $row = $query->fetch(PDO::FETCH_ASSOC);
        // What the client gets back: its own set's bytes, or in a NONE
        // connection the database's.
        $back = fn($s) => $connection === 'NONE' ? $s : mb_convert_encoding($s, $client, $encoding);
        check($row['UP'] === $back(mb_convert_encoding('ＡＢＣ日本XYZ', $encoding, 'UTF-8')),
              "UDF_BLOBSJISUPPER of a bound BLOB in $connection: " . bin2hex($row['UP']));
        check($row['CUT'] === $back(mb_convert_encoding($cut, $encoding, 'UTF-8')),
              "UDF_BLOBSUBSTR of a bound BLOB in $connection: " . bin2hex($row['CUT']));
    } catch (PDOException $e) {
        check(false, "$connection: " . $e->getMessage());
    }
}

// Stored BLOBs of bytes, not of the set, arrive as they are.
$db = new PDO("firebird:dbname=127.0.0.1/$port:$database;charset=UTF8", 'SYSDBA', $password,
              [PDO::ATTR_ERRMODE => PDO::ERRMODE_EXCEPTION]);
$db->exec('RECREATE TABLE BOUND_BYTES (B0 BLOB SUB_TYPE 0, BN BLOB SUB_TYPE TEXT CHARACTER SET NONE, ' .
          'BO BLOB SUB_TYPE TEXT CHARACTER SET OCTETS)');
$hex = bin2hex(mb_convert_encoding('ＡＢ日本XY', $encoding, 'UTF-8'));
$db->exec("INSERT INTO BOUND_BYTES VALUES (x'$hex', x'$hex', x'$hex')");
$lower = mb_convert_encoding('ａｂ日本xy', $encoding, 'UTF-8');
foreach (['B0', 'BN', 'BO'] as $column) {
    $bytes = $db->query("SELECT CAST(CAST(UDF_BLOBSJISLOWER($column) AS BLOB SUB_TYPE 0) " .
                        "AS VARCHAR(20) CHARACTER SET OCTETS) AS L FROM BOUND_BYTES")->fetchColumn();
    check($bytes === $lower, "UDF_BLOBSJISLOWER of the stored $column: " . bin2hex($bytes));
}
$db->exec('DROP TABLE BOUND_BYTES');

if ($timezones) {
    $db->exec("RECREATE FUNCTION OWN_JDATE (TXT VARCHAR(256) CHARACTER SET NONE) RETURNS TIMESTAMP " .
              "EXTERNAL NAME 'kovudf!JDate' ENGINE UDR");
    $query = $db->prepare("SELECT CAST(UDF_JDATE('10:30') AS DATE) AS J, " .
                          "CAST(OWN_JDATE('10:30') AS DATE) AS O, CURRENT_DATE AS C FROM RDB\$DATABASE");
    $dates = [];
    foreach (['+14:00', '-12:00', '+14:00'] as $zone) {
        $db->exec("SET TIME ZONE '$zone'");
        $query->execute();
        $row = $query->fetch(PDO::FETCH_ASSOC);
        $query->closeCursor();
        check($row['J'] === $row['C'] && $row['O'] === $row['C'],
              "in $zone, UDF_JDATE gave {$row['J']} and OWN_JDATE {$row['O']} where CURRENT_DATE is {$row['C']}");
        $dates[] = $row['C'];
    }
    check($dates[0] !== $dates[1], "+14:00 and -12:00 gave one date, $dates[0]");
    $db->exec('DROP FUNCTION OWN_JDATE');
}
echo "$passed passed, $failed failed\n";
