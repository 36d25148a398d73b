<?php
/*
 * Tandeo sign-up script.
 *
 * Receives the opt-in form of the page, sends the subscription message to the autoresponder
 * from the subscriber's own address (as autoresponders expect), and then sends the new
 * subscriber on to the thanks page, or to the page of the choice they picked, with their first
 * name in the address so that the page can greet them.
 *
 * Runs on PHP 7.4 to 8.x and needs nothing but PHP's own functions and a working mail().
 *
 * The settings Tandeo wrote are kept after the end of the code (below __halt_compiler), where
 * PHP never reads them as code, whatever they contain. Change them there, one per line, or
 * generate the site again.
 */

const TDO_NAME_MAX = 60;
const TDO_EMAIL_MAX = 254;
const TDO_SETTING_KEYS = [
    'AR', 'THANKS', 'DOMAIN',
    'CHOICE1', 'CHOICE2', 'CHOICE3', 'CHOICE4', 'CHOICE5',
    'AR1', 'AR2', 'AR3', 'AR4', 'AR5',
];

// Windows-1252 characters 0x80 to 0x9F; the other bytes above 0x7F are Latin-1.
const TDO_CP1252 = [
    0x80 => 0x20AC, 0x82 => 0x201A, 0x83 => 0x0192, 0x84 => 0x201E, 0x85 => 0x2026,
    0x86 => 0x2020, 0x87 => 0x2021, 0x88 => 0x02C6, 0x89 => 0x2030, 0x8A => 0x0160,
    0x8B => 0x2039, 0x8C => 0x0152, 0x8E => 0x017D, 0x91 => 0x2018, 0x92 => 0x2019,
    0x93 => 0x201C, 0x94 => 0x201D, 0x95 => 0x2022, 0x96 => 0x2013, 0x97 => 0x2014,
    0x98 => 0x02DC, 0x99 => 0x2122, 0x9A => 0x0161, 0x9B => 0x203A, 0x9C => 0x0153,
    0x9E => 0x017E, 0x9F => 0x0178,
];

function tdo_utf8(int $cp): string
{
    if ($cp < 0x80) {
        return chr($cp);
    }
    if ($cp < 0x800) {
        return chr(0xC0 | ($cp >> 6)) . chr(0x80 | ($cp & 0x3F));
    }
    if ($cp < 0x10000) {
        return chr(0xE0 | ($cp >> 12)) . chr(0x80 | (($cp >> 6) & 0x3F)) . chr(0x80 | ($cp & 0x3F));
    }
    return chr(0xF0 | ($cp >> 18)) . chr(0x80 | (($cp >> 12) & 0x3F))
        . chr(0x80 | (($cp >> 6) & 0x3F)) . chr(0x80 | ($cp & 0x3F));
}

// A setting as Tandeo wrote it (Windows-1252, other characters as numeric character
// references), as UTF-8 text.
function tdo_decode_setting(string $raw): string
{
    $text = preg_replace_callback('/[\x80-\xFF]/', function (array $m): string {
        $byte = ord($m[0]);
        return tdo_utf8(TDO_CP1252[$byte] ?? ($byte >= 0xA0 ? $byte : 0xFFFD));
    }, $raw);
    $text = preg_replace_callback('/&#(?:[xX]([0-9A-Fa-f]{1,6})|([0-9]{1,7}));/', function (array $m): string {
        $cp = $m[1] !== '' ? hexdec($m[1]) : (int) $m[2];
        if ($cp <= 0 || $cp > 0x10FFFF || ($cp >= 0xD800 && $cp <= 0xDFFF)) {
            return $m[0];
        }
        return tdo_utf8((int) $cp);
    }, $text);
    return trim($text);
}

// The settings after __halt_compiler, or null when they are missing or damaged: exactly one
// line per setting, in the order of TDO_SETTING_KEYS.
function tdo_settings(): ?array
{
    $data = @file_get_contents(__FILE__, false, null, __COMPILER_HALT_OFFSET__);
    if (!is_string($data)) {
        return null;
    }
    $lines = preg_split('/\r\n|\r|\n/', $data);
    if ($lines[0] === '') {
        array_shift($lines);
    }
    while ($lines && end($lines) === '') {
        array_pop($lines);
    }
    if (count($lines) !== count(TDO_SETTING_KEYS)) {
        return null;
    }
    $settings = [];
    foreach (TDO_SETTING_KEYS as $i => $key) {
        $parts = explode('|', $lines[$i], 2);
        if (count($parts) !== 2 || $parts[0] !== $key) {
            return null;
        }
        $settings[$key] = tdo_decode_setting($parts[1]);
    }
    return $settings;
}

function tdo_has_controls(string $text): bool
{
    // C0 and C1 controls, DEL, line and paragraph separators, and text-direction overrides.
    return preg_match('/[\x{0}-\x{1F}\x{7F}-\x{9F}\x{2028}\x{2029}\x{202A}-\x{202E}\x{2066}-\x{2069}]/u', $text) !== 0;
}

function tdo_valid_email(string $address): bool
{
    return $address !== '' && strlen($address) <= TDO_EMAIL_MAX && !tdo_has_controls($address)
        && filter_var($address, FILTER_VALIDATE_EMAIL) !== false;
}

// A configured page address fit for a Location header, or '' when it is not one: an absolute
// http or https address, or a path on this site. Spaces and other characters outside ASCII are
// percent-encoded.
function tdo_target(string $url): string
{
    if ($url === '' || tdo_has_controls($url)) {
        return '';
    }
    $url = preg_replace_callback('/[^\x21-\x7E]/', function (array $m): string {
        return rawurlencode($m[0]);
    }, $url);
    if (preg_match('~^https?://[^/?#\\\\@\s]+~i', $url) === 1
        || preg_match('~^/(?![/\\\\])~', $url) === 1) {
        return $url;
    }
    return '';
}

// The address with fname=... added to its query, before any fragment.
function tdo_with_name(string $url, string $name): string
{
    $hash = strpos($url, '#');
    $fragment = $hash === false ? '' : substr($url, $hash);
    $base = $hash === false ? $url : substr($url, 0, $hash);
    $join = strpos($base, '?') === false ? '?' : (preg_match('/[?&]$/', $base) ? '' : '&');
    return $base . $join . 'fname=' . rawurlencode($name) . $fragment;
}

// "Name" <address>, with the name as RFC 2047 encoded words when it is not plain ASCII.
function tdo_mailbox(string $name, string $address): string
{
    if (preg_match('/^[\x20-\x7E]*$/', $name) === 1) {
        return '"' . addcslashes($name, "\"\\") . '" <' . $address . '>';
    }
    preg_match_all('/.{1,12}/us', $name, $chunks);
    $words = array_map(function (string $chunk): string {
        return '=?UTF-8?B?' . base64_encode($chunk) . '?=';
    }, $chunks[0]);
    return implode(' ', $words) . ' <' . $address . '>';
}

function tdo_page(int $status, string $title, string $message, string $link = ''): void
{
    http_response_code($status);
    header('Content-Type: text/html; charset=UTF-8');
    header('X-Content-Type-Options: nosniff');
    header('Cache-Control: no-store');
    $h = function (string $text): string {
        return htmlspecialchars($text, ENT_QUOTES | ENT_SUBSTITUTE, 'UTF-8');
    };
    echo "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
        . "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        . '<title>' . $h($title) . '</title>'
        . '<style>body{font:17px/1.6 Arial,sans-serif;color:#222;max-width:560px;margin:40px auto;padding:0 20px}'
        . 'h1{font-size:24px}</style></head><body>'
        . '<h1>' . $h($title) . '</h1><p>' . $h($message) . '</p>'
        . ($link !== '' ? '<p><a href="' . $h($link) . '">Continue</a></p>' : '')
        . "</body></html>\n";
}

function tdo_redirect(string $url): void
{
    http_response_code(303);
    header('Location: ' . $url);
    header('Cache-Control: no-store');
    header('Content-Type: text/html; charset=UTF-8');
    echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>Thank you</title></head><body>'
        . '<p><a href="' . htmlspecialchars($url, ENT_QUOTES, 'UTF-8') . '">Continue</a></p></body></html>';
}

function tdo_field(string $name): ?string
{
    if (!isset($_POST[$name])) {
        return null;
    }
    return is_string($_POST[$name]) ? $_POST[$name] : '';
}

function tdo_refuse(string $message): void
{
    tdo_page(400, 'Please check your details', $message . ' Please go back and try again.');
}

function tdo_main(): void
{
    if (($_SERVER['REQUEST_METHOD'] ?? '') !== 'POST') {
        header('Allow: POST');
        tdo_page(405, 'Sign up on the page', 'Please use the form on the page to sign up.');
        return;
    }

    $settings = tdo_settings();
    if ($settings === null) {
        tdo_page(500, 'Sign-up unavailable', 'The settings of this sign-up script are damaged. '
            . 'Generate the site again and upload lgsignup.php once more.');
        return;
    }
    $thanks = tdo_target($settings['THANKS']);

    // People never see the extra field; bots fill it. They are told all went well.
    $trap = tdo_field('website');
    if ($trap !== null && trim($trap) !== '') {
        if ($thanks !== '') {
            tdo_redirect($thanks);
        } else {
            tdo_page(200, 'Thank you', 'Thank you for signing up.');
        }
        return;
    }

    $name = trim(tdo_field('fname') ?? '');
    $email = trim(tdo_field('email') ?? '');
    $choiceField = tdo_field('choice');

    if (preg_match('//u', $name) !== 1 || preg_match('//u', $email) !== 1) {
        tdo_refuse('Your details could not be read.');
        return;
    }
    $nameLength = preg_match_all('/./us', $name);
    if ($nameLength < 1 || $nameLength > TDO_NAME_MAX || tdo_has_controls($name)
        || strpbrk($name, '<>') !== false) {
        tdo_refuse('Please enter your first name (up to ' . TDO_NAME_MAX . ' letters).');
        return;
    }
    if (!tdo_valid_email($email)) {
        tdo_refuse('Please enter a valid e-mail address.');
        return;
    }
    $choice = 0;
    if ($choiceField !== null) {
        if (preg_match('/^[1-5]$/', $choiceField) !== 1) {
            tdo_refuse('Please pick one of the choices offered.');
            return;
        }
        $choice = (int) $choiceField;
    }

    // The chosen choice's autoresponder and page, or the main ones where the choice has none.
    $to = $settings['AR'];
    $target = $thanks;
    if ($choice > 0) {
        if ($settings['AR' . $choice] !== '') {
            $to = $settings['AR' . $choice];
        }
        $page = tdo_target($settings['CHOICE' . $choice]);
        if ($page !== '') {
            $target = $page;
        }
    }
    if (!tdo_valid_email($to)) {
        tdo_page(500, 'Sign-up unavailable', 'This page\'s sign-up address is not set up correctly. '
            . 'Please tell the site owner.');
        return;
    }

    $domain = $settings['DOMAIN'];
    $body = "Please add me to your list.\n\n"
        . 'First name: ' . $name . "\n"
        . 'E-mail: ' . $email . "\n"
        . ($choice > 0 ? 'Choice: ' . $choice . "\n" : '')
        . ($domain !== '' && !tdo_has_controls($domain) ? 'Signed up at: ' . $domain . "\n" : '')
        . 'Date: ' . gmdate('D, d M Y H:i:s') . " GMT\n";
    $headers = 'From: ' . tdo_mailbox($name, $email) . "\r\n"
        . "MIME-Version: 1.0\r\n"
        . "Content-Type: text/plain; charset=UTF-8\r\n"
        . "Content-Transfer-Encoding: 8bit";

    if (!mail($to, 'Subscribe', $body, $headers)) {
        tdo_page(500, 'Sign-up not sent', 'Sorry, your sign-up could not be sent just now. '
            . 'Please try again later.');
        return;
    }

    if ($target === '') {
        tdo_page(200, 'Thank you, ' . $name, 'Thank you for signing up. Please check your e-mail.');
        return;
    }
    tdo_redirect(tdo_with_name($target, $name));
}

tdo_main();

__halt_compiler();
AR|[AR EMAIL ADDRESS]
THANKS|[THANKS URL]
DOMAIN|[DOMAIN]
CHOICE1|[CHOICE01]
CHOICE2|[CHOICE02]
CHOICE3|[CHOICE03]
CHOICE4|[CHOICE04]
CHOICE5|[CHOICE05]
AR1|[AR01]
AR2|[AR02]
AR3|[AR03]
AR4|[AR04]
AR5|[AR05]
