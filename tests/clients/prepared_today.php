<?php
// prepared_today.php - a PHP client (PDO_Firebird) prepares one statement
// calling UDF_JDATE and executes it after each SET TIME ZONE, to +14:00 and
// to -12:00, always two different dates: each execution's today must be its
// own CURRENT_DATE, through the scripts' declaration (TODAY filled by the
// caller) and through a user's own declaration without TODAY.
//
//   php prepared_today.php PORT DATABASE PASSWORD
// Prints "N passed, N failed".
[$port, $database, $password] = array_slice($argv, 1);
$passed = $failed = 0;

function check(bool $ok, string $what): void {
    global $passed, $failed;
    $ok ? $passed++ : $failed++;
    if (!$ok) echo "FAILED: $what\n";
}

$db = new PDO("firebird:dbname=127.0.0.1/$port:$database;charset=UTF8", 'SYSDBA', $password,
              [PDO::ATTR_ERRMODE => PDO::ERRMODE_EXCEPTION]);
$db->exec("RECREATE FUNCTION OWN_JDATE (TXT VARCHAR(256) CHARACTER SET NONE) RETURNS TIMESTAMP " .
          "EXTERNAL NAME 'kovudf!JDate' ENGINE UDR");
$query = $db->prepare("SELECT CAST(UDF_JDATE('10:30') AS DATE) AS J, CAST(OWN_JDATE('10:30') AS DATE) AS O, " .
                      "CURRENT_DATE AS C FROM RDB\$DATABASE");
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
echo "$passed passed, $failed failed\n";
